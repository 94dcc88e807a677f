#include "DescribeTestSupport.h"
#include "model/QLabProject.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The sample show, flattened as a description run sees it: every list's top-level cues followed
// by their children.
QList<QLabCue> sampleCues()
{
    QList<QLabCue> cues;
    for (const QLabCueList &list : QLabProject::demo().cueLists) {
        cues.append(list.cues);
        for (const QLabCue &cue : list.cues)
            cues.append(cue.children);
    }
    return cues;
}

} // namespace

class TestGroupSummary : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { useLanguage(AppLanguage::english); }

    void summary_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("english");
        const auto row = [](const char *tag, const QString &action, const QString &english) {
            QTest::newRow(tag) << action << english;
        };

        // Labels gather runs of one kind.
        row("two starts under a label", u"Start \u2192 1\nStart \u2192 rain"_s,
            u"Starts:\n\"Увертюра\"\n\"Дождь\""_s);
        row("kind coming back opens a run",
            u"Audio \"a\"\nAudio \"b\"\nStop \u2192 x\nAudio \"c\""_s,
            u"Starts:\n\"a\"\n\"b\"\nStops \"x\"\nStarts audio \"c\""_s);
        row("waits then networks",
            u"Wait: 5s\nWait\nNetwork: OSC Command\nNetwork \u00B7 Patch 1"_s,
            u"Wait:\n5 sec\nWait\nNetwork command:\nNetwork command\nNetwork command"_s);
        row("two fades",
            u"Fade \u2192 a\n   master 0\n   2s\nFade \u2192 b\n   3s\n   stop when done"_s,
            u"Fade:\n\"a\" \u2014 master 0 dB (2 sec)\n\"b\" (3 sec), stop"_s);

        // Members one by one.
        row("audio with effects", u"Audio \"a.wav\"\n   Audio FX: GEQ, Reverb"_s,
            u"Starts audio \"a\" (EQ, GEQ, Reverb, fx)"_s);
        row("fade stops at silence",
            u"Fade \u2192 a\n   master -60\n   <1-2> -70\n   stop when done"_s,
            u"Fade \"a\" \u2014 master -inf dB, <1-2> -inf dB, stop"_s);
        row("fade reads no duration from a wait line", u"Fade \u2192 a\n   pre-wait: 1m 30s"_s,
            u"After 1m 30 sec: Fade \"a\""_s);

        // Waits of the members.
        row("pre-wait run under one line",
            u"Audio \"a\"\n   pre-wait: 2s\nStop \u2192 c\n   pre-wait: 2s\nLight: Warm\n   pre-wait: 2s"_s,
            u"After 2 sec:\nStarts audio \"a\"\nStops \"c\"\nLight: Warm"_s);
        row("post-wait in a headed run",
            u"Audio \"a\"\n   pre-wait: 2s\n   post-wait: 1.5s\nAudio \"b\"\n   pre-wait: 2s"_s,
            u"After 2 sec:\nStarts:\n\"a\", then after 1.5 sec \u2014 next Cue\n\"b\""_s);
        row("canonically equal pre-waits share a run",
            u"Audio \"a\"\n   pre-wait: \u00E9s\nAudio \"b\"\n   pre-wait: e\u0301s"_s,
            u"After \u00E9 sec:\nStarts:\n\"a\"\n\"b\""_s);

        // The layout of the text.
        row("detail line before any header", u"   Audio \"a\"\n   master -6\n   Video"_s,
            u"Starts audio \"a\""_s);
        row("braces and notes are skipped",
            u"Group (Timeline): Sub {\n  Audio \"a\"\n     master -6\n  }\n   }\n   [notes: Wait "
            u"5]\n"
            u"[notes: x]\n   {\nStop \u2192 b"_s,
            u"Starts audio \"a\"\nStops \"b\""_s);
        row("crlf line ends", u"Audio \"a\"\r\n   pre-wait: 2s\r\nWait: 5s\r\n   pre-wait: 2s"_s,
            u"After 2 sec:\nStarts audio \"a\"\nWait 5 sec"_s);
    }

    void summary()
    {
        QFETCH(QString, action);
        const QLabCue group = makeCue(CueType::group, u"10"_s, u"Group"_s, action);
        QTEST(describe(group, CueIndex(sampleCues())), "english");
    }

    void sampleProjectGroup()
    {
        const QList<QLabCue> cues = sampleCues();
        const auto group = std::find_if(
            cues.begin(), cues.end(), [](const QLabCue &cue) { return cue.isGroup(); });
        QVERIFY(group != cues.end());
        QCOMPARE(describe(*group, CueIndex(cues)),
            u"Starts audio \"rain_loop\"\nFade (2 sec) \"Финальная музыка\" \u2014 master -inf dB\n"
            u"Wait 5 sec\nMIDI: Control Change"_s);
    }

    void groupWaitsWrapTheWholeSummary()
    {
        QLabCue group
            = makeCue(CueType::group, u"10"_s, u"Group"_s, u"Wait: 5s\nStop \u2192 rain"_s);
        group.preWait = 1;
        group.postWait = 2;
        QCOMPARE(describe(group, CueIndex(sampleCues())),
            u"After 1 sec: Wait 5 sec\nStops \"Дождь\"\nthen after 2 sec \u2014 next Cue"_s);
    }
};

QTEST_GUILESS_MAIN(TestGroupSummary)
#include "tst_groupsummary.moc"
