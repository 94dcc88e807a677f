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

    void waits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("seconds");
        QTest::newRow("exponent") << u"2.5E-1"_s << 0.25;
        QTest::newRow("leading blank") << u" 2"_s << 0.0;
        QTest::newRow("comma") << u"1,5"_s << 0.0;
        QTest::newRow("overflow") << u"1e999"_s << 0.0;
        QTest::newRow("arabic digits") << u"\u0662"_s << 0.0;
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
};

QTEST_GUILESS_MAIN(TestCueRows)
#include "tst_cuerows.moc"
