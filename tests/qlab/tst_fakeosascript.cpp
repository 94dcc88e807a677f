#include "FakeOsascript.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The fake osascript's answers to the import's fixed scripts, which other tests rely on.
class TestFakeOsascript : public QObject
{
    Q_OBJECT

private slots:
    void answers_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("qlabRunning");
        QTest::addColumn<int>("exitStatus");
        QTest::addColumn<QString>("output");
        QTest::newRow("listing")
            << u"-- cueCount"_s << true << 0
            << u"[{\"id\":\"L-MAIN\",\"name\":\"Main Cue List\",\"cueCount\":14},"
               u"{\"id\":\"L-CHECK\",\"name\":\"Sound Checks\",\"cueCount\":2},"
               u"{\"id\":\"C-CART\",\"name\":\"Sound effects\",\"cueCount\":1}]"_s;
        QTest::newRow("listing, QLab not running") << u"-- cueCount"_s << false << 1 << QString();
        QTest::newRow("unknown script") << u"display dialog \"hi\""_s << true << 1 << QString();
    }
    void answers()
    {
        QFETCH(QString, script);
        QFETCH(bool, qlabRunning);
        FakeOsascript::Switches switches;
        switches.workspacePath = QStringLiteral(MARROWLARK_TEST_DATA) + u"/fakes/show.json"_s;
        switches.qlabNotRunning = !qlabRunning;
        const FakeOsascript::Answer answer = FakeOsascript(switches).run(script);
        QTEST(answer.exitStatus, "exitStatus");
        QTEST(answer.output, "output");
        if (answer.exitStatus != 0)
            QVERIFY(!answer.error.isEmpty());
    }

    void failureSwitchesApplyToTheirKindOnly()
    {
        FakeOsascript::Switches switches;
        switches.workspacePath = QStringLiteral(MARROWLARK_TEST_DATA) + u"/fakes/show.json"_s;
        switches.errorMessage = u"forced"_s;
        switches.errorNumber = -1728;
        switches.failOnly = u"listing"_s;
        FakeOsascript fake(switches);
        QCOMPARE(fake.run(u"-- cueCount"_s).error, u"0:11: execution error: forced (-1728)"_s);
        QCOMPARE(fake.run(u"return \"other\""_s).output, u"other"_s);
    }
};

QTEST_GUILESS_MAIN(TestFakeOsascript)
#include "tst_fakeosascript.moc"
