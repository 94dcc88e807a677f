#include "qlab/OSCCueLevels.h"
#include "qlab/OSCCueListReader.h"

#include "DecimalCommaLocale.h"
#include "TestSupport.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>
#include <cstdio>
#include <limits>
#include <string_view>

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

    void readCueLists_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<QList<int>>("counts");
        QTest::newRow("text among dictionaries") << QByteArray(R"([{"uniqueID":"L"},"x"])")
                                                 << QStringList() << QStringList() << QList<int>();
        QTest::newRow("list name is a number")
            << QByteArray(R"([{"listName":4,"name":"Main"}])") << QStringList { u"Main"_s }
            << QStringList { QString() } << QList<int> { 0 };
        QTest::newRow("cues not an array")
            << QByteArray(R"([{"name":"A","cues":{}},{"name":"B","cues":[1]}])")
            << QStringList { u"A"_s, u"B"_s } << QStringList { QString(), QString() }
            << QList<int> { 0, 0 };
    }
    void readCueLists()
    {
        QFETCH(QByteArray, data);
        QFETCH(QStringList, names);
        QFETCH(QStringList, ids);
        QFETCH(QList<int>, counts);
        const auto lists = OSCCueListReader::readCueLists(parseJson(data.constData()));
        QStringList readNames;
        QStringList readIDs;
        QList<int> readCounts;
        for (const OSCCueListData &list : lists) {
            readNames.append(list.name);
            readIDs.append(list.id);
            readCounts.append(int(list.cues.size()));
        }
        QCOMPARE(readNames, names);
        QCOMPARE(readIDs, ids);
        QCOMPARE(readCounts, counts);
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
        QTest::newRow("empty matrix") << QByteArray("[]") << O {} << std::optional<double>();
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
