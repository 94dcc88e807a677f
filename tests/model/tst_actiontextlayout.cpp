#include "model/ActionTextLayout.h"

#include <QTest>

using namespace ActionTextLayout;

class TestActionTextLayout : public QObject
{
    Q_OBJECT

private slots:
    void lineKinds_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("parameter");
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<bool>("wait");
        QTest::newRow("header") << "Audio \"a.wav\"" << false << false << false;
        QTest::newRow("three blanks") << "   master -6" << true << false << false;
        QTest::newRow("tab") << "\trate 1.5" << true << false << false;
        QTest::newRow("two blanks is a nested header")
            << "  Audio \"b.wav\"" << false << false << false;
        QTest::newRow("nested parameter") << "     master -6" << true << false << false;
        QTest::newRow("hidden") << "  [notes: hello]" << false << true << false;
        QTest::newRow("pre-wait") << "   pre-wait: 2ms" << true << false << true;
        QTest::newRow("post-wait") << "     post-wait: 1.5s" << true << false << true;
    }
    void lineKinds()
    {
        QFETCH(QString, line);
        QFETCH(bool, parameter);
        QFETCH(bool, hidden);
        QFETCH(bool, wait);
        QCOMPARE(isParameterLine(line), parameter);
        QCOMPARE(isHiddenLine(line), hidden);
        QCOMPARE(isWaitLine(line), wait);
    }

    void nesting()
    {
        QCOMPARE(nestingIndent(0), QString());
        QCOMPARE(nestingIndent(2), QStringLiteral("    "));
        QCOMPARE(splitLines(QStringLiteral("a\n\nb")).size(), 3);
    }
};

QTEST_GUILESS_MAIN(TestActionTextLayout)
#include "tst_actiontextlayout.moc"
