// Bulk description through the project store, and the cue table's filter per keystroke.
#include "store/ProjectStore.h"

#include <QCoreApplication>
#include <QUndoStack>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

QLabCue cue(CueType type, int n, const QString &action)
{
    QLabCue c;
    c.id = QUuid::createUuid();
    c.type = type;
    c.number = QString::number(n);
    c.name = u"Cue %1 storm"_s.arg(n);
    c.action = action;
    c.qlabCueID = u"ID-%1"_s.arg(n);
    c.preWait = n % 7 == 0 ? 1.5 : 0;
    return c;
}

// A show of about `count` cues in four lists: sounds with levels, fades and starts naming earlier
// cues, and every twentieth a group of three members.
QLabProject show(int count)
{
    QLabProject project = ProjectStore::makeNewProject();
    for (int l = 0; l < 4; ++l)
        project.cueLists.append({ QUuid::createUuid(), u"List %1"_s.arg(l + 1), {} });
    for (int n = 1; n <= count;) {
        QList<QLabCue> &cues = project.cueLists[n % 4].cues;
        const QString earlier = QString::number(std::max(1, n - 5));
        if (n % 20 == 0 && n + 3 <= count) {
            QLabCue group = cue(
                CueType::group, n, u"Audio rain.wav\nFade \u2192 Cue %1 storm"_s.arg(earlier));
            for (int m = 1; m <= 3; ++m)
                group.children.append(cue(CueType::audio, n + m, u"Audio member.wav"_s));
            cues.append(group);
            n += 4;
            continue;
        }
        switch (n % 4) {
        case 0:
            cues.append(cue(
                CueType::fade, n, u"Fade \u2192 Cue %1 storm\n   level: -10 dB"_s.arg(earlier)));
            break;
        case 1:
            cues.append(cue(CueType::start, n, u"Start \u2192 %1"_s.arg(earlier)));
            break;
        default:
            cues.append(cue(CueType::audio, n, u"Audio track%1.wav\n   level: -3 dB"_s.arg(n)));
        }
        ++n;
    }
    return project;
}

void generateAllLists(benchmark::State &state)
{
    ProjectStore store(show(int(state.range(0))));
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.generateDescriptionsForAllLists(false));
        state.PauseTiming();
        store.undoManager().undo();
        store.undoManager().clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * store.project().totalCueCount());
}
BENCHMARK(generateAllLists)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

// One keystroke in the search field over one list of 10k cues, with the table reading the result.
void filterKeystroke(benchmark::State &state)
{
    QLabProject project = show(40000);
    project.cueLists = { project.cueLists.first() };
    ProjectStore store(project);
    // Typing the last letter of a text that every cue holds, or one that none holds.
    const QString text = state.range(0) ? u"stormx"_s : u"storm"_s;
    for (auto _ : state) {
        state.PauseTiming();
        store.setSearchText(text.chopped(1));
        benchmark::DoNotOptimize(store.filteredCueCount());
        state.ResumeTiming();
        store.setSearchText(text);
        benchmark::DoNotOptimize(store.filteredCueCount());
    }
    state.counters["cues"] = double(store.selectedCueList()->cues.size());
}
BENCHMARK(filterKeystroke)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The first keystroke on a list of 10k cues just shown (argument 0), and the first after one
// cue's notes were edited (argument 1), with the table reading the result.
void firstKeystroke(benchmark::State &state)
{
    QLabProject project = show(40000);
    project.cueLists = { project.cueLists.first() };
    const QUuid edited = project.cueLists[0].cues[project.cueLists[0].cues.size() / 2].id;
    ProjectStore store(project);
    int edits = 0;
    for (auto _ : state) {
        state.PauseTiming();
        store.setSearchText({});
        if (state.range(0))
            store.updateNotes(edited, u"Edited %1"_s.arg(++edits));
        else
            store.loadProject(project);
        benchmark::DoNotOptimize(store.filteredCueCount());
        state.ResumeTiming();
        store.setSearchText(u"s"_s);
        benchmark::DoNotOptimize(store.filteredCueCount());
    }
    state.counters["cues"] = double(store.selectedCueList()->cues.size());
}
BENCHMARK(firstKeystroke)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
