#include "TestSupport.h"
#include "describe/CueIndex.h"
#include "describe/DescriptionText.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QLabCue audioCue(const QString &number, const QString &name, const QString &notes = {})
{
    QLabCue cue = makeCue(CueType::audio, number, name, {}, notes);
    cue.id = QUuid::createUuid();
    return cue;
}

// The walk the index stands in for: each cue tested on all three rules before the next.
qsizetype walk(const QList<QLabCue> &cues, const QString &reference)
{
    const QString wanted = reference.normalized(QString::NormalizationForm_C);
    const auto equal = [&](const QString &text) {
        return text.normalized(QString::NormalizationForm_C) == wanted;
    };
    for (qsizetype i = 0; i < cues.size(); ++i) {
        if (equal(cues[i].number) || equal(cues[i].name)
            || equal(DescriptionText::stripMediaExtension(cues[i].name)))
            return i;
    }
    return -1;
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
    void firstMatch_data();
    void firstMatch();
    void sameAsWalk();
    void childrenAreNotSearched();
};

void TestCueIndex::firstMatch_data()
{
    QTest::addColumn<QStringList>("cues"); // each "number|name"
    QTest::addColumn<QString>("reference");
    QTest::addColumn<qsizetype>("expected");
    QTest::newRow("earlier name beats later number")
        << QStringList { u"7|1"_s, u"1|x"_s } << u"1"_s << qsizetype(0);
    QTest::newRow("earlier bare name beats later number")
        << QStringList { u"7|3.wav"_s, u"3|x"_s } << u"3"_s << qsizetype(0);
    QTest::newRow("nothing trimmed") << QStringList { u"1|rain"_s } << u"rain "_s << qsizetype(-1);
    QTest::newRow("canonically equal reference")
        << QStringList { u"1|Caf\u00E9"_s } << u"Cafe\u0301"_s << qsizetype(0);
    QTest::newRow("no cue") << QStringList() << u"1"_s << qsizetype(-1);
}

void TestCueIndex::firstMatch()
{
    QFETCH(QStringList, cues);
    QFETCH(QString, reference);
    QFETCH(qsizetype, expected);
    QList<QLabCue> list;
    for (const QString &entry : cues)
        list.append(audioCue(entry.section(u'|', 0, 0), entry.section(u'|', 1)));
    QCOMPARE(positionOf(CueIndex(list), list, reference), expected);
}

void TestCueIndex::sameAsWalk()
{
    // Numbers and names drawn from one small pool, so that they collide across cues and rules.
    const QStringList pool { u"1"_s, u"2"_s, u"2.wav"_s, u"a"_s, u"a.mp3"_s, u"a.MP3"_s, u"A"_s,
        QString(), u"\u00E9"_s, u"e\u0301.aif"_s, u"b.aiff"_s, u"b.aif"_s, u"b"_s, u"2.mov"_s };
    QRandomGenerator random(7);
    for (int round = 0; round < 200; ++round) {
        QList<QLabCue> cues;
        for (int i = random.bounded(12); i > 0; --i)
            cues.append(
                audioCue(pool[random.bounded(pool.size())], pool[random.bounded(pool.size())]));
        const CueIndex index(cues);
        for (const QString &reference : pool)
            QCOMPARE(positionOf(index, cues, reference), walk(cues, reference));
    }
}

void TestCueIndex::childrenAreNotSearched()
{
    QLabCue group = audioCue(u"10"_s, u"Scene"_s);
    group.children = { audioCue(u"10.1"_s, u"rain.wav"_s) };
    QCOMPARE(CueIndex({ group }).find(u"10.1"_s), nullptr);
}

QTEST_GUILESS_MAIN(TestCueIndex)
#include "tst_cueindex.moc"
