// The main window: from nothing to the first painted window with a 10,000-cue project, a list
// built by script commands, and the switch between dark and light with the main window and every
// side window open.
#include "model/LanguageManager.h"
#include "qlab/QLab_Importer.h"
#include "qlab/QLab_NotesWriter.h"
#include "scripting/ScriptBridge.h"
#include "store/ProjectStore.h"
#include "ui/AppTheme.h"
#include "ui/ApplicationMenus.h"
#include "ui/LegalWindowManager.h"
#include "ui/MainWindowView.h"
#include "ui/SupportManager.h"

#include "FakeFileDialogs.h"

#include <QApplication>
#include <QEvent>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// Ten lists of a thousand cues with descriptions and multi-line actions.
QLabProject largeShow(int cues)
{
    QLabProject project = ProjectStore::makeNewProject();
    for (int list = 0; list < 10; ++list) {
        QLabCueList cueList { QUuid::createUuid(), u"Act %1"_s.arg(list + 1), {} };
        for (int n = 0; n < cues / 10; ++n) {
            QLabCue cue;
            cue.id = QUuid::createUuid();
            cue.type = n % 3 == 0 ? CueType::fade : CueType::audio;
            cue.number = QString::number(list * 1000 + n);
            cue.name = u"Cue %1"_s.arg(n);
            cue.action = u"Audio storm.wav\n   level: -6 dB\n   pre-wait: 1.5"_s;
            cue.notes = u"Starts the storm, fades in over 2.5 seconds"_s;
            cue.qlabCueID = u"ID-%1-%2"_s.arg(list).arg(n);
            cueList.cues.append(cue);
        }
        project.cueLists.append(cueList);
    }
    return project;
}

// Counts the paint events a window receives.
class PaintWatch : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        painted |= event->type() == QEvent::Paint;
        return false;
    }
    bool painted = false;
};

void startToFirstPaintedWindow(benchmark::State &state)
{
    const QLabProject project = largeShow(int(state.range(0)));
    FakeFileDialogs dialogs;
    for (auto _ : state) {
        ProjectStore store(ProjectStore::makeNewProject());
        store.loadProject(project);
        QLab_NotesWriter writer;
        QLab_Importer importer(dialogs);
        MainWindowView window(store, writer);
        ApplicationMenus menus(window, importer);
        PaintWatch watch;
        window.installEventFilter(&watch);
        window.show();
        while (!watch.painted)
            QCoreApplication::processEvents();
        state.PauseTiming();
        window.removeEventFilter(&watch);
        window.close();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(startToFirstPaintedWindow)->Arg(10000)->Unit(benchmark::kMillisecond);

// One list built by script commands while the window is up, sent without waiting in bursts of a
// hundred, the window catching up after each burst; perCall is the time of one command.
void scriptedAddCue(benchmark::State &state)
{
    const int count = int(state.range(0));
    FakeFileDialogs dialogs;
    QLab_NotesWriter writer;
    QLab_Importer importer(dialogs);
    for (auto _ : state) {
        state.PauseTiming();
        ProjectStore store(ProjectStore::makeNewProject());
        MainWindowView window(store, writer);
        ApplicationMenus menus(window, importer);
        ScriptBridge bridge(store);
        bridge.perform(ScriptCommand::addCueList, u"Built"_s, {});
        window.show();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        for (int n = 1; n <= count; ++n) {
            bridge.perform(ScriptCommand::addCue, {},
                { { u"cueNumber"_s, QString::number(n) }, { u"cueName"_s, u"Rain %1"_s.arg(n) },
                    { u"cueAction"_s, u"Audio \"rain.wav\"\n   master -6"_s },
                    { u"cueNotes"_s, u"Plays rain (level -6 dB)"_s } });
            if (n % 100 == 0)
                QCoreApplication::processEvents();
        }
        state.PauseTiming();
        window.close();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["perCall"] = benchmark::Counter(double(state.iterations()) * count,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(scriptedAddCue)->Arg(1000)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);

void themeSwitchWithEveryWindowOpen(benchmark::State &state)
{
    FakeFileDialogs dialogs;
    ProjectStore store(largeShow(10000));
    QLab_NotesWriter writer;
    QLab_Importer importer(dialogs);
    MainWindowView window(store, writer);
    ApplicationMenus menus(window, importer);
    AppTheme::follow();
    window.show();
    SupportManager::shared().showSupportWindow();
    LegalWindowManager::shared().showLicense();
    LegalWindowManager::shared().showPrivacyPolicy();
    QCoreApplication::processEvents();
    LanguageManager &lang = LanguageManager::shared();
    for (auto _ : state) {
        lang.setIsDark(!lang.isDark());
        // Until every window has repainted.
        QCoreApplication::processEvents();
    }
    for (QWidget *open : QApplication::topLevelWidgets())
        open->close();
    QCoreApplication::processEvents();
}
BENCHMARK(themeSwitchWithEveryWindowOpen)->Unit(benchmark::kMillisecond);

} // namespace
