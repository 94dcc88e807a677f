#include "qlab/OSCCueListReader.h"
#include "qlab/OSCLevelFormatter.h"

#include "DecimalCommaLocale.h"

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

namespace {

QJsonValue json(const char *text)
{
    return QJsonDocument::fromJson(QByteArray("[") + text + "]").array().first();
}

} // namespace

class TestOSCCueListReader : public QObject
{
    Q_OBJECT

    QTemporaryDir m_localeFolder;
    bool m_decimalComma = false;

private slots:
    // Everything below runs with a decimal comma in the C library's numbers.
    void initTestCase() { m_decimalComma = useDecimalCommaLocale(m_localeFolder); }
    void cleanupTestCase() { std::setlocale(LC_NUMERIC, "C"); }

    void topLevelRecord_data()
    {
        QTest::addColumn<QByteArray>("cue");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("name");
        QTest::newRow("no type") << QByteArray(R"({"uniqueID":"U"})") << u"Unknown"_s
                                 << u"Unknown"_s << QString();
        QTest::newRow("memo keeps its name out") << QByteArray(R"({"type":"Memo","name":"Call"})")
                                                 << u"Memo"_s << u"Memo"_s << u"Call"_s;
        QTest::newRow("fade marker") << QByteArray(R"({"type":"Fade","uniqueID":"F1"})")
                                     << u"Fade"_s << u"__SWIFT_OSC_FADE__|F1"_s << QString();
        QTest::newRow("midi marker") << QByteArray(R"({"type":"MIDI","uniqueID":"M"})") << u"MIDI"_s
                                     << u"__MIDI__|M"_s << QString();
        QTest::newRow("wait of zero")
            << QByteArray(R"({"type":"Wait","duration":0})") << u"Wait"_s << u"Wait"_s << QString();
        QTest::newRow("wait rounds down") << QByteArray(R"({"type":"Wait","duration":0.4})")
                                          << u"Wait"_s << u"Wait: 0s"_s << QString();
        QTest::newRow("wait rounds half up") << QByteArray(R"({"type":"Wait","duration":90.5})")
                                             << u"Wait"_s << u"Wait: 91s"_s << QString();
        QTest::newRow("wait duration as text") << QByteArray(R"({"type":"Wait","duration":"5"})")
                                               << u"Wait"_s << u"Wait"_s << QString();
        QTest::newRow("list name first")
            << QByteArray(R"({"type":"Audio","listName":"","name":"Rain"})") << u"Audio"_s
            << u"__SWIFT_OSC__|Audio|"_s << QString();
        QTest::newRow("name when list name is no text")
            << QByteArray(R"({"type":"Audio","listName":3,"name":"Rain"})") << u"Audio"_s
            << u"__SWIFT_OSC__|Audio|"_s << u"Rain"_s;
        QTest::newRow("lower-case type is another type")
            << QByteArray(R"({"type":"audio"})") << u"audio"_s << u"audio"_s << QString();
    }
    void topLevelRecord()
    {
        QFETCH(QByteArray, cue);
        QFETCH(QString, type);
        QFETCH(QString, action);
        QFETCH(QString, name);
        const auto records = OSCCueListReader::flattenCues(QJsonArray { json(cue.constData()) });
        QCOMPARE(records.size(), 1);
        QCOMPARE(records.first().type, type);
        QCOMPARE(records.first().action, action);
        QCOMPARE(records.first().name, name);
        QCOMPARE(records.first().trigger, QString());
    }

    // Cue rows carry waits as "%.2f" in the C locale: a point, two decimals, every digit.
    void rowWaits_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("exact half to even") << 0.125 << u"0.12"_s;
        QTest::newRow("rounds up") << 0.005001 << u"0.01"_s;
        QTest::newRow("tiny negative") << -0.001 << u"-0.00"_s;
        QTest::newRow("beyond 64 bits") << 1e20 << u"100000000000000000000.00"_s;
        QTest::newRow("largest")
            << std::numeric_limits<double>::max()
            << u"1797693134862315708145274237317043567980705675258449965989174768031572607800285387"
               u"6058955863276687817154045895351438246423432132688946418276846754670353751698604991"
               u"0576551282076245490090389328944075868508455133942304583236903222948165808559332123"
               u"34827479782620414472316873817718091929988125040402618412485836"
               u"8.00"_s;
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

    void keepRule_data()
    {
        QTest::addColumn<QByteArray>("flags");
        QTest::addColumn<bool>("kept");
        QTest::newRow("armed true, broken true")
            << QByteArray(R"("armed":true,"isBroken":true)") << true;
        QTest::newRow("armed false") << QByteArray(R"("armed":false)") << false;
        QTest::newRow("armed missing, broken true") << QByteArray(R"("isBroken":true)") << false;
        QTest::newRow("armed missing, broken false") << QByteArray(R"("isBroken":false)") << true;
        QTest::newRow("armed as 0") << QByteArray(R"("armed":0)") << false;
        QTest::newRow("armed as 1, broken") << QByteArray(R"("armed":1,"isBroken":1)") << true;
        QTest::newRow("armed as text, broken")
            << QByteArray(R"("armed":"yes","isBroken":true)") << false;
    }
    void keepRule()
    {
        QFETCH(QByteArray, flags);
        QFETCH(bool, kept);
        const QByteArray cue = "{\"type\":\"Audio\"," + flags + "}";
        QCOMPARE(OSCCueListReader::flattenCues(QJsonArray { json(cue.constData()) }).size(),
            kept ? 1 : 0);
    }

    void childLines_data()
    {
        QTest::addColumn<QByteArray>("child");
        QTest::addColumn<QString>("text");
        QTest::newRow("child without type") << QByteArray(R"({"name":"Rain"})") << u": Rain"_s;
        QTest::newRow("memo child with name")
            << QByteArray(R"({"type":"Memo","name":"Call"})") << u"Memo: Call"_s;
        QTest::newRow("broken child still shown")
            << QByteArray(R"({"type":"Memo","isBroken":true})") << u"Memo"_s;
        QTest::newRow("disarmed child skipped")
            << QByteArray(R"({"type":"Memo","armed":false})") << QString();
        QTest::newRow("nameless child group with number")
            << QByteArray(R"({"type":"Group","mode":"timeline","number":"12"})")
            << u"Group (Timeline) [12]"_s;
        QTest::newRow("child group with empty cues")
            << QByteArray(R"({"type":"Group","cues":[]})") << u"Group"_s;
        QTest::newRow("child wait")
            << QByteArray(R"({"type":"Wait","duration":2.5})") << u"Wait: 3s"_s;
        QTest::newRow("child with uid gets a wait line")
            << QByteArray(R"({"type":"Memo","uniqueID":"M"})") << u"Memo\n   __WAIT__|M"_s;
    }
    void childLines()
    {
        QFETCH(QByteArray, child);
        QFETCH(QString, text);
        QCOMPARE(
            OSCCueListReader::renderGroupChildren(QJsonArray { json(child.constData()) }, 1), text);
    }

    void depthLimit()
    {
        // Eleven nested groups: the group whose line stands at depth 10 holds "[...]".
        QJsonValue inner = json(R"({"type":"Memo"})");
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

    void groupLabel_data()
    {
        QTest::addColumn<QByteArray>("group");
        QTest::addColumn<QString>("label");
        QTest::newRow("timeline any case")
            << QByteArray(R"({"type":"Group","mode":"timeLine"})") << u"Group (Timeline)"_s;
        QTest::newRow("one") << QByteArray(R"({"type":"Group","mode":"1"})")
                             << u"Group (Timeline)"_s;
        QTest::newRow("cue_list") << QByteArray(R"({"type":"Group","mode":"cue_list"})")
                                  << u"Group (Cue List)"_s;
        QTest::newRow("other words")
            << QByteArray(R"({"type":"Group","mode":"fire_all"})") << u"Group (Fire_all)"_s;
        QTest::newRow("two words")
            << QByteArray(R"({"type":"Group","mode":"start RANDOM"})") << u"Group (Start Random)"_s;
        QTest::newRow("zero") << QByteArray(R"({"type":"Group","mode":"0"})") << u"Group"_s;
        QTest::newRow("numeric") << QByteArray(R"({"type":"Group","mode":3})") << u"Group"_s;
        QTest::newRow("no type") << QByteArray(R"({"mode":"timeline"})") << u"Group (Timeline)"_s;
    }
    void groupLabel()
    {
        QFETCH(QByteArray, group);
        QFETCH(QString, label);
        QCOMPARE(OSCCueListReader::groupTypeLabel(json(group.constData()).toObject()), label);
    }

    void readCueLists_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<QList<int>>("counts");
        QTest::newRow("dictionary instead of array")
            << QByteArray(R"({"uniqueID":"L"})") << QStringList() << QStringList() << QList<int>();
        QTest::newRow("text among dictionaries") << QByteArray(R"([{"uniqueID":"L"},"x"])")
                                                 << QStringList() << QStringList() << QList<int>();
        QTest::newRow("name when no list name")
            << QByteArray(R"([{"uniqueID":"L","name":"Main"}])") << QStringList { u"Main"_s }
            << QStringList { u"L"_s } << QList<int> { 0 };
        QTest::newRow("list name is a number")
            << QByteArray(R"([{"listName":4,"name":"Main"}])") << QStringList { u"Main"_s }
            << QStringList { QString() } << QList<int> { 0 };
        QTest::newRow("no keys") << QByteArray(R"([{}])") << QStringList { u"Cue List"_s }
                                 << QStringList { QString() } << QList<int> { 0 };
        QTest::newRow("empty list name")
            << QByteArray(R"([{"listName":"","name":"Main"}])") << QStringList { QString() }
            << QStringList { QString() } << QList<int> { 0 };
        QTest::newRow("cues not an array")
            << QByteArray(R"([{"name":"A","cues":{}},{"name":"B","cues":[1]}])")
            << QStringList { u"A"_s, u"B"_s } << QStringList { QString(), QString() }
            << QList<int> { 0, 0 };
        QTest::newRow("one disarmed of five") << QByteArray(
            R"([{"name":"A","cues":[{"type":"Audio"},{"type":"Audio","armed":false},{},{},{}]}])")
                                              << QStringList { u"A"_s } << QStringList { QString() }
                                              << QList<int> { 4 };
    }
    void readCueLists()
    {
        QFETCH(QByteArray, data);
        QFETCH(QStringList, names);
        QFETCH(QStringList, ids);
        QFETCH(QList<int>, counts);
        const auto lists = OSCCueListReader::readCueLists(json(data.constData()));
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

    void crosspointRanges_data()
    {
        QTest::addColumn<QList<OSCCueLevels::Output>>("outputs");
        QTest::addColumn<QStringList>("texts");
        using O = QList<OSCCueLevels::Output>;
        QTest::newRow("example") << O { { 1, -6.2 }, { 2, -5.9 }, { 3, 0 }, { 5, 0 } }
                                 << QStringList { u"<1-2> -6"_s, u"<3> 0"_s, u"<5> 0"_s };
        QTest::newRow("same whole level")
            << O { { 1, -6.4 }, { 2, -5.6 } } << QStringList { u"<1-2> -6"_s };
        QTest::newRow("different whole levels")
            << O { { 1, -6.4 }, { 2, -6.6 } } << QStringList { u"<1> -6"_s, u"<2> -7"_s };
        QTest::newRow("empty") << O {} << QStringList {};
    }
    void crosspointRanges()
    {
        QFETCH(QList<OSCCueLevels::Output>, outputs);
        QFETCH(QStringList, texts);
        QCOMPARE(OSCLevelFormatter::formatCrosspointRanges(outputs), texts);
    }

    void mediaLevels()
    {
        QCOMPARE(
            OSCLevelFormatter::formatAudioLevels(QString(), {}, -0.4), u"Audio\n   master 0"_s);
        QCOMPARE(OSCLevelFormatter::formatVideoLevels(u"Storm"_s, { { 1, -3 }, { 2, -3 } }, -2.5),
            u"Video \"Storm\"\n   master -3\n   <1-2> -3"_s);
    }

    void fadeLevelLines()
    {
        const QList<FadeOSCParams::Level> levels { { 1, 2, -10 }, { 0, 1, -3 }, { 0, 0, -60 },
            { 0, 2, -3.4 }, { 2, 0, 0.5 }, { -1, 0, 0 } };
        QCOMPARE(OSCLevelFormatter::formatFadeLevelLines(levels),
            QStringList(
                { u"master -60"_s, u"<1-2> -3"_s, u"in <1> \u2192 out <2> -10"_s, u"in <2> 1"_s }));
    }

    void levelMatrix_data()
    {
        QTest::addColumn<QByteArray>("matrix");
        QTest::addColumn<QList<OSCCueLevels::Output>>("outputs");
        QTest::addColumn<std::optional<double>>("master"); // none: QLab told no levels
        using O = QList<OSCCueLevels::Output>;
        QTest::newRow("example") << QByteArray("[[0,-10,-20],[0,-70,-30]]") << O { { 2, -20 } }
                                 << std::optional(0.0);
        QTest::newRow("single row") << QByteArray("[[-3,0,0]]") << O {} << std::optional(-3.0);
        QTest::newRow("column beyond row 0")
            << QByteArray("[[0,-5],[0,0,0]]") << O { { 1, -5 } } << std::optional(0.0);
        QTest::newRow("exactly -60 is off")
            << QByteArray("[[0,1],[0,-60]]") << O {} << std::optional(0.0);
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
        const auto levels = OSCCueLevels::fromMatrix(json(matrix.constData()));
        QCOMPARE(levels.has_value(), master.has_value());
        if (levels) {
            QCOMPARE(levels->outputs, outputs);
            QCOMPARE(levels->master, *master);
        }
    }
};

QTEST_GUILESS_MAIN(TestOSCCueListReader)
#include "tst_osccuelistreader.moc"
