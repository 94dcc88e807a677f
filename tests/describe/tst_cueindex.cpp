#include "TestSupport.h"
#include "describe/CueIndex.h"
#include "describe/DescriptionText.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QLabCue audioCue(const QString &number, const QString &name, const QString &notes = {})
{
    QLabCue cue = makeCue(CueType::audio, number, name, {}, notes);
    cue.id = QUuid::createUuid();
    return cue;
}

qsizetype positionOf(const CueIndex &index, const QList<QLabCue> &cues, const QString &reference)
{
    const QLabCue *found = index.find(reference);
    if (!found)
        return -1;
    for (qsizetype i = 0; i < cues.size(); ++i) {
        if (cues[i].id == found->id)
            return i;
    }
    return -2;
}

} // namespace

class TestCueIndex : public QObject
{
    Q_OBJECT

private slots:
    void firstMatch_data()
    {
        QTest::addColumn<QStringList>("cues"); // each "number|name"
        QTest::addColumn<QString>("reference");
        QTest::addColumn<qsizetype>("expected");
        QTest::newRow("earlier name beats later number")
            << QStringList { u"7|1"_s, u"1|x"_s } << u"1"_s << qsizetype(0);
        QTest::newRow("earlier bare name beats later number")
            << QStringList { u"7|3.wav"_s, u"3|x"_s } << u"3"_s << qsizetype(0);
        QTest::newRow("nothing trimmed")
            << QStringList { u"1|rain"_s } << u"rain "_s << qsizetype(-1);
        QTest::newRow("canonically equal reference")
            << QStringList { u"1|Caf\u00E9"_s } << u"Cafe\u0301"_s << qsizetype(0);
        QTest::newRow("no cue") << QStringList() << u"1"_s << qsizetype(-1);
    }

    void firstMatch()
    {
        QFETCH(QStringList, cues);
        QFETCH(QString, reference);
        QFETCH(qsizetype, expected);
        QList<QLabCue> list;
        for (const QString &entry : cues)
            list.append(audioCue(entry.section(u'|', 0, 0), entry.section(u'|', 1)));
        QCOMPARE(positionOf(CueIndex(list), list, reference), expected);
    }

    void childrenAreNotSearched()
    {
        QLabCue group = audioCue(u"10"_s, u"Scene"_s);
        group.children = { audioCue(u"10.1"_s, u"rain.wav"_s) };
        QCOMPARE(CueIndex({ group }).find(u"10.1"_s), nullptr);
    }
};

QTEST_GUILESS_MAIN(TestCueIndex)
#include "tst_cueindex.moc"
