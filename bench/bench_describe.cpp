// Describing every cue of a show, as a bulk generation does: one target index per run, then
// every cue against it. Reported per cue; the cost must not grow with the size of the show.

#include "describe/AutoDescriptionGenerator.h"
#include "describe/CueIndex.h"
#include "model/LanguageManager.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

QLabCue makeCue(CueType type, int number, const QString &name, const QString &action)
{
    QLabCue cue;
    cue.id = QUuid::createUuid();
    cue.type = type;
    cue.number = QString::number(number);
    cue.name = name;
    cue.action = action;
    return cue;
}

// A show of the given size in the forms an import writes: sound cues with levels, fades, waits,
// MIDI and network cues, Start, Stop and Pause cues aimed at earlier cues by number and by name
// (a few at cues that do not exist), and timeline groups with their members' blocks and waits.
QList<QLabCue> buildShow(int size)
{
    QList<QLabCue> cues;
    cues.reserve(size);
    int lastSound = 0;
    const auto sound = [&](int n) { return u"Scene %1 sound"_s.arg(n); };
    for (int n = 1; n <= size; ++n) {
        const QString earlier = QString::number(qMax(1, lastSound));
        switch (n % 10) {
        case 0:
        case 1: {
            QLabCue cue = makeCue(CueType::audio, n, sound(n) + u".wav"_s,
                u"Audio \"%1.wav\"\n   master -%2\n   <1-2> 0\n   <3-4> -70"_s.arg(sound(n)).arg(
                    n % 60));
            if (n % 20 == 0)
                cue.notes = u"/name_Thunder %1/"_s.arg(n);
            cue.preWait = (n % 4) * 0.25;
            cues.append(cue);
            lastSound = n;
            break;
        }
        case 2:
            cues.append(makeCue(CueType::fade, n, {},
                u"Fade \u2192 %1\n   master -60\n   rate 1.5\n   5s\n   stop when done"_s.arg(
                    earlier)));
            break;
        case 3:
            cues.append(makeCue(CueType::start, n, {}, u"Start \u2192 %1"_s.arg(sound(lastSound))));
            break;
        case 4:
            cues.append(makeCue(CueType::stop, n, {},
                n % 40 == 4 ? u"Stop \u2192 Missing cue"_s : u"Stop \u2192 %1"_s.arg(earlier)));
            break;
        case 5:
            cues.append(makeCue(CueType::wait, n, {}, u"Wait: 30s"_s));
            break;
        case 6:
            cues.append(
                makeCue(CueType::midi, n, {}, u"MIDI\n   Control Change, CH 1, CC 60, Val 64"_s));
            break;
        case 7:
            cues.append(makeCue(CueType::network, n, u"OSC %1"_s.arg(n),
                u"Network \u00B7 Patch 1 \u2013 /cue/%1/go"_s.arg(n)));
            break;
        case 8:
            cues.append(makeCue(CueType::group, n, u"Storm %1"_s.arg(n),
                u"Audio \"%1.wav\"\n   master -6\n   <1-2> 0\n   pre-wait: 2s\n"
                u"Fade \u2192 %2\n   master -60\n   2s\n   pre-wait: 2s\n"
                u"Start \u2192 %1\n   pre-wait: 2s\n   post-wait: 1.5s\n"
                u"Stop \u2192 %2\nWait: 5s\nMIDI\n   Control Change, CH 1, CC 60, Val 64\n"
                u"Mic: Lav %3\n  Group (Timeline): Inner {\n    Audio \"rain.wav\"\n       master 0\n  }"_s
                    .arg(sound(lastSound), earlier)
                    .arg(n)));
            break;
        case 9:
            cues.append(makeCue(CueType::pause, n, {}, u"Pause \u2192 %1"_s.arg(earlier)));
            break;
        }
    }
    return cues;
}

void describeEveryCue(benchmark::State &state)
{
    const QList<QLabCue> cues = buildShow(static_cast<int>(state.range(0)));
    const AutoDescriptionGenerator &generator = AutoDescriptionGenerator::shared();
    for (auto _ : state) {
        const CueIndex targets(cues);
        for (const QLabCue &cue : cues)
            benchmark::DoNotOptimize(generator.generateDescription(cue, targets));
    }
    state.counters["per_cue"] = benchmark::Counter(static_cast<double>(cues.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(describeEveryCue)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
