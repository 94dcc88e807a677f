#include "qlab/OSCCueLevels.h"
#include "qlab/OSCCueListReader.h"

#include "DecimalCommaLocale.h"
#include "TestSupport.h"

#include <QTemporaryDir>
#include <QTest>

#include <clocale>
#include <cstdio>

using namespace Qt::StringLiterals;

class TestOSCCueListReader : public QObject
{
    Q_OBJECT

    QTemporaryDir m_localeFolder;
    bool m_decimalComma = false;

private slots:
    // Everything below runs with a decimal comma in the C library's numbers.
    void initTestCase() { m_decimalComma = useDecimalCommaLocale(m_localeFolder); }
    void cleanupTestCase() { std::setlocale(LC_NUMERIC, "C"); }

    // Cue rows carry waits as "%.2f" in the C locale: a point, two decimals, every digit.
    void rowWaits_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("exact half to even") << 0.125 << u"0.12"_s;
        QTest::newRow("beyond 64 bits") << 1e20 << u"100000000000000000000.00"_s;
    }
    void rowWaits()
    {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        OSCCueData record;
        record.preWait = seconds;
        record.postWait = seconds;
        const QStringList row = record.rowStrings();
        QCOMPARE(row.at(7), text);
        QCOMPARE(row.at(8), text);
    }

    // Shows that the rows above were written under a decimal comma, where printf would fail.
    void decimalCommaIsInForce()
    {
        if (!m_decimalComma)
            QSKIP("no locale with a decimal comma can be made here");
        char printed[16];
        std::snprintf(printed, sizeof printed, "%.2f", 1.5);
        QCOMPARE(printed, "1,50");
    }

    void depthLimit()
    {
        // Eleven nested groups: the group whose line stands at depth 10 holds "[...]".
        QJsonValue inner = parseJson(R"({"type":"Memo"})");
        for (int i = 0; i < 11; ++i) {
            QJsonObject group { { u"type"_s, u"Group"_s }, { u"cues"_s, QJsonArray { inner } } };
            inner = group;
        }
        const QString text = OSCCueListReader::renderGroupChildren(QJsonArray { inner }, 1);
        const QStringList all = text.split(u'\n');
        const QString indent9 = QString(18, u' ');
        const qsizetype at = all.indexOf(indent9 + u"Group {"_s);
        QVERIFY2(at > 0, qPrintable(text));
        QCOMPARE(all.at(at + 1), u"[...]"_s);
        QCOMPARE(all.at(at + 2), indent9 + u'}');
        QVERIFY(!text.contains(u"Memo"));
    }

    // Lists are read as far as they go: a number for a name, cues that are no array.
    void readCueLists()
    {
        const auto lists = OSCCueListReader::readCueLists(parseJson(
            R"([{"listName":4,"name":"Main"},{"name":"B","cues":{}},{"name":"C","cues":[1]}])"));
        QCOMPARE(lists.size(), 3);
        QCOMPARE(lists.at(0).name, u"Main"_s);
        for (const OSCCueListData &list : lists)
            QVERIFY(list.id.isEmpty() && list.cues.isEmpty());
        QVERIFY(OSCCueListReader::readCueLists(std::nullopt).isEmpty());
    }

    // QLab's levels as it sends them; where it tells no levels, none are made up.
    void levelMatrix_data()
    {
        QTest::addColumn<QByteArray>("matrix");
        QTest::addColumn<QList<OSCCueLevels::Output>>("outputs");
        QTest::addColumn<std::optional<double>>("master"); // none: QLab told no levels
        using O = QList<OSCCueLevels::Output>;
        QTest::newRow("text levels")
            << QByteArray(R"([["-2","x"],[0,"-1"]])") << O { { 1, 0 } } << std::optional(-2.0);
        QTest::newRow("not a matrix") << QByteArray("[1,2]") << O {} << std::optional<double>();
        QTest::newRow("no master level")
            << QByteArray("[[],[0,-5]]") << O {} << std::optional<double>();
    }
    void levelMatrix()
    {
        QFETCH(QByteArray, matrix);
        QFETCH(QList<OSCCueLevels::Output>, outputs);
        QFETCH(std::optional<double>, master);
        const auto levels = OSCCueLevels::fromMatrix(parseJson(matrix.constData()));
        QCOMPARE(levels.has_value(), master.has_value());
        if (levels) {
            QCOMPARE(levels->outputs, outputs);
            QCOMPARE(levels->master, *master);
        }
    }
};

QTEST_GUILESS_MAIN(TestOSCCueListReader)
#include "tst_osccuelistreader.moc"
