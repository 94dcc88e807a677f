// The cue table on one long list: showing it, the list arriving while the table is up, a search
// keystroke, a page of scrolling and one description edit, each up to the repaint.
#include "store/ProjectStore.h"
#include "ui/CueTableView.h"
#include "ui/ExcelTableView.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QWindow>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// Rows of 1 to 40 lines: sounds with level lines, fades, starts, groups of members, notes of a
// few wrapped lines, and now and then a long name or trigger.
QLabProject longShow(int count)
{
    QList<QLabCue> cues;
    cues.reserve(count);
    for (int i = 0; i < count; ++i) {
        QLabCue cue;
        cue.id = QUuid::createUuid();
        cue.number = QString::number(i + 1);
        QStringList action;
        switch (i % 4) {
        case 0:
            cue.type = CueType::audio;
            action = { u"Audio \"rain_%1.wav\""_s.arg(i), u"   master -6"_s, u"   <1-2> 0"_s };
            break;
        case 1:
            cue.type = CueType::fade;
            action = { u"Fade \u2192 rain_%1"_s.arg(i - 1), u"   master -60"_s, u"   5s"_s };
            break;
        case 2:
            cue.type = CueType::start;
            action = { u"Start \u2192 thunder"_s };
            break;
        default:
            cue.type = CueType::group;
            for (int m = 0; m < i % 13; ++m)
                action += { u"Audio \"storm_%1.wav\""_s.arg(m), u"   master -%1"_s.arg(m),
                    u"   pre-wait: %1s"_s.arg(m) };
        }
        cue.action = action.join(u'\n');
        QStringList notes;
        for (int l = 0; l <= i % 5; ++l)
            notes.append(u"Plays rain (level -6 dB), then after 5 sec Fade to the storm cue"_s);
        cue.notes = notes.join(u'\n');
        if (i % 9 == 0)
            cue.name = u"A name longer than its column, wrapping over several lines %1"_s.arg(i);
        if (i % 17 == 0)
            cue.trigger = u"MIDI Trigger: Note 60 velocity 127 on channel 16"_s;
        cue.preWait = i % 6 == 0 ? 2.5 : 0;
        cues.append(cue);
    }
    QLabProject project = ProjectStore::makeNewProject();
    project.cueLists = { { QUuid::createUuid(), u"Show"_s, cues } };
    return project;
}

void perCue(benchmark::State &state)
{
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ShowList(benchmark::State &state)
{
    ProjectStore store(longShow(int(state.range(0))));
    store.filteredCues();
    for (auto _ : state) {
        ExcelTableView table(store);
        table.resize(1400, 900);
        benchmark::DoNotOptimize(table.grab());
    }
    perCue(state);
}

// A project with one long list replacing an empty one while the table is up (the empty state
// showing), up to the first paint of the rows in view.
void BM_ListArrives(benchmark::State &state)
{
    const QLabProject empty = ProjectStore::makeNewProject();
    const QLabProject project = longShow(int(state.range(0)));
    ProjectStore store(empty);
    CueTableView view(store);
    view.setEmptyState(new QWidget);
    view.resize(1400, 900);
    view.show();
    while (!view.windowHandle() || !view.windowHandle()->isExposed())
        QCoreApplication::processEvents();
    for (auto _ : state) {
        store.loadProject(project);
        view.repaint();
        state.PauseTiming();
        store.loadProject(empty);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    perCue(state);
}

struct ShownTable
{
    explicit ShownTable(int count)
        : store(longShow(count))
        , table(store)
    {
        table.resize(1400, 900);
        table.show();
        // At rest: on screen, with every row measured by the idle pass.
        while (
            !table.windowHandle() || !table.windowHandle()->isExposed() || !table.allRowsMeasured())
            QCoreApplication::processEvents();
        table.viewport()->repaint();
    }
    ProjectStore store;
    ExcelTableView table;
};

void BM_SearchKeystroke(benchmark::State &state)
{
    ShownTable shown(int(state.range(0)));
    // Typing on and back: most cues match either text.
    const QString texts[] = { u"rai"_s, u"rain"_s };
    int n = 0;
    for (auto _ : state) {
        shown.store.setSearchText(texts[n++ % 2]);
        shown.table.viewport()->repaint();
    }
    perCue(state);
}

void BM_ScrollPage(benchmark::State &state)
{
    ShownTable shown(int(state.range(0)));
    QScrollBar *bar = shown.table.verticalScrollBar();
    for (auto _ : state) {
        bar->setValue(bar->value() >= bar->maximum() ? 0 : bar->value() + bar->pageStep());
        shown.table.viewport()->repaint();
    }
    perCue(state);
}

void BM_EditDescription(benchmark::State &state)
{
    ShownTable shown(int(state.range(0)));
    int n = 0;
    for (auto _ : state) {
        shown.table.startEditing(shown.table.rowCue(n % 10).id);
        shown.table.editor()->setPlainText(u"Plays thunder %1"_s.arg(n++));
        shown.table.commitOpenEdit();
        shown.table.viewport()->repaint();
    }
    perCue(state);
}

// One cue whose name is a single word of range(0) characters, shown: it is laid out only as far
// as its cell shows it. Each pass names it anew, past the layouts kept from the last one.
void BM_ShowUnbrokenName(benchmark::State &state)
{
    ProjectStore store(longShow(1));
    const QString word(state.range(0), u'x');
    int n = 0;
    for (auto _ : state) {
        QLabProject project = store.project();
        project.cueLists[0].cues[0].name = QString::number(n++) + word;
        store.loadProject(project);
        ExcelTableView table(store);
        table.resize(1400, 900);
        benchmark::DoNotOptimize(table.grab());
    }
}

} // namespace

BENCHMARK(BM_ShowList)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListArrives)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchKeystroke)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollPage)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditDescription)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowUnbrokenName)->Arg(1 << 20)->Iterations(20)->Unit(benchmark::kMillisecond);
