#include "import/CueRowConverter.h"
#include "import/ImportCueList.h"
#include "import/ProjectBuilder.h"

#include <QTest>

using CueRowConverter::cueFromRow;
using namespace Qt::StringLiterals;

class TestCueRows : public QObject
{
    Q_OBJECT

private slots:
    void rowLengths_data()
    {
        QTest::addColumn<QStringList>("row");
        QTest::addColumn<bool>("makesCue");
        QTest::addColumn<QString>("qlabID");
        QTest::addColumn<double>("preWait");
        QTest::addColumn<double>("postWait");
        const QStringList six { u"Audio"_s, u"1"_s, u"Intro"_s, u"Audio intro.wav"_s, u""_s,
            u""_s };
        QTest::newRow("five texts") << six.mid(0, 5) << false << u""_s << 0.0 << 0.0;
        QTest::newRow("seven, empty id")
            << six + QStringList { u""_s } << true << u""_s << 0.0 << 0.0;
        QTest::newRow("nine") << six + QStringList { u"A1"_s, u"2"_s, u"0.25"_s } << true << u"A1"_s
                              << 2.0 << 0.25;
        QTest::newRow("ten, tail ignored")
            << six + QStringList { u"A1"_s, u"1"_s, u"3"_s, u"junk"_s } << true << u"A1"_s << 1.0
            << 3.0;
    }
    void rowLengths()
    {
        QFETCH(QStringList, row);
        QFETCH(bool, makesCue);
        QFETCH(QString, qlabID);
        QFETCH(double, preWait);
        QFETCH(double, postWait);
        const std::optional<QLabCue> cue = cueFromRow(row);
        QCOMPARE(cue.has_value(), makesCue);
        if (!cue)
            return;
        QCOMPARE(cue->qlabCueID.value_or(QString()), qlabID);
        QCOMPARE(cue->qlabCueID.has_value(), !qlabID.isEmpty());
        QCOMPARE(cue->preWait, preWait);
        QCOMPARE(cue->postWait, postWait);
    }

    void fieldsFromPositions()
    {
        const QStringList row { u"Audio (Stereo)"_s, u"12"_s, u"Storm"_s, u"Audio storm.wav"_s,
            u"old notes"_s, u"Hotkey: S"_s, u"ID-7"_s, u"0"_s, u"1e1"_s };
        const QLabCue cue = *cueFromRow(row);
        QCOMPARE(cue.type, CueType::audio);
        QCOMPARE(cue.fullTypeName, std::optional<QString>(u"Audio (Stereo)"_s));
        QCOMPARE(cue.originalNotes, std::optional<QString>(u"old notes"_s));
        QCOMPARE(cue.trigger, u"Hotkey: S"_s);
        QCOMPARE(cue.postWait, 10.0);

        const QLabCue empty = *cueFromRow({ u""_s, u""_s, u""_s, u""_s, u""_s, u""_s });
        QCOMPARE(empty.type, CueType::unknown);
        QCOMPARE(empty.fullTypeName, std::optional<QString>(u""_s));
        QCOMPARE(empty.originalNotes, std::optional<QString>(u""_s));
        QVERIFY(cueFromRow(row)->id != cue.id);
    }

    void waits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("seconds");
        QTest::newRow("exponent") << u"2.5E-1"_s << 0.25;
        QTest::newRow("leading point") << u".5"_s << 0.5;
        QTest::newRow("leading blank") << u" 2"_s << 0.0;
        QTest::newRow("comma") << u"1,5"_s << 0.0;
        QTest::newRow("overflow") << u"1e999"_s << 0.0;
        QTest::newRow("arabic digits") << u"\u0662"_s << 0.0;
        QTest::newRow("lone point") << u"."_s << 0.0;
    }
    void waits()
    {
        QFETCH(QString, text);
        QFETCH(double, seconds);
        QCOMPARE(CueRowConverter::waitSeconds(text), seconds);
    }

    void projectFromImport()
    {
        const QStringList row { u"Group"_s, u"1"_s, u"Scene"_s, u""_s, u""_s, u""_s };
        const QList<ImportCueList> lists {
            { u"Main"_s, { row, QStringList { u"Audio"_s, u"2"_s }, row } },
            { u"Empty"_s, { QStringList { u"Fade"_s } } },
        };
        const QLabProject project = ProjectBuilder::projectFromImport(u"Show"_s, lists);
        QCOMPARE(project.cueLists.size(), 2);
        QCOMPARE(project.cueLists[0].cues.size(), 2); // a row too short makes no cue
        QVERIFY(project.cueLists[0].cues[0].id != project.cueLists[0].cues[1].id);
        QVERIFY(project.cueLists[0].id != project.cueLists[1].id);
        QVERIFY(project.cueLists[1].cues.isEmpty());
    }

    void decodeImportCueList_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("decodes");
        QTest::newRow("complete") << QByteArray(R"({"name":"Main","cues":[["Audio","1"],[]]})")
                                  << true;
        QTest::newRow("no cues") << QByteArray(R"({"name":"Main"})") << false;
        QTest::newRow("number in row") << QByteArray(R"({"name":"M","cues":[["a",1]]})") << false;
        QTest::newRow("row not array") << QByteArray(R"({"name":"M","cues":["a"]})") << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void decodeImportCueList()
    {
        QFETCH(QByteArray, json);
        QFETCH(bool, decodes);
        QString error;
        const std::optional<ImportCueList> list = ImportCueList::fromJson(json, &error);
        QCOMPARE(list.has_value(), decodes);
        QCOMPARE(error.isEmpty(), decodes);
    }

    void encodeImportCueList()
    {
        const ImportCueList list { u"Акт \"1\""_s, { { u"Audio"_s, u"1"_s, u"a\\b\n"_s }, {} } };
        const QByteArray json = list.toJson();
        QVERIFY(json.startsWith("{\"name\":"));
        QVERIFY(json.indexOf("\"name\"") < json.indexOf("\"cues\""));
        QCOMPARE(ImportCueList::fromJson(json), std::optional<ImportCueList>(list));
    }
};

QTEST_GUILESS_MAIN(TestCueRows)
#include "tst_cuerows.moc"
