#include "import/CueRowConverter.h"
#include "import/ImportCueList.h"

#include <QTest>

using CueRowConverter::cueFromRow;
using namespace Qt::StringLiterals;

class TestCueRows : public QObject
{
    Q_OBJECT

private slots:
    // A row too short makes no cue; the tail of a long one is ignored.
    void rowLengths()
    {
        const QStringList six { u"Audio"_s, u"1"_s, u"Intro"_s, u"Audio intro.wav"_s, {}, {} };
        QVERIFY(!cueFromRow(six.mid(0, 5)));
        const auto cue = cueFromRow(six + QStringList { u"A1"_s, u"1"_s, u"3"_s, u"junk"_s });
        QVERIFY(cue);
        QCOMPARE(cue->qlabCueID, std::optional(u"A1"_s));
        QCOMPARE(cue->preWait, 1.0);
        QCOMPARE(cue->postWait, 3.0);
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

    void decodeImportCueList_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("decodes");
        QTest::newRow("complete") << QByteArray(R"({"name":"Main","cues":[["Audio","1"],[]]})")
                                  << true;
        QTest::newRow("no cues") << QByteArray(R"({"name":"Main"})") << false;
        QTest::newRow("row not array") << QByteArray(R"({"name":"M","cues":["a"]})") << false;
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
