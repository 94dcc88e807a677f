// Opening and saving project files of imported-show size through ProjectFileService, with the
// panels answered at once. Items are cues, so the reported rate is the cost per cue.
#include "FakeFileDialogs.h"
#include "model/ProjectFileService.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

QLabCue benchCue(int index)
{
    QLabCue cue;
    cue.id = QUuid::createUuid();
    cue.type = index % 3 ? CueType::audio : CueType::fade;
    cue.number = QString::number(index);
    cue.name = u"cue_%1.wav"_s.arg(index);
    cue.action = u"Audio \"cue_%1.wav\"\n   master -6\n   <1-2> 0"_s.arg(index);
    cue.notes = u"Звучит фонограмма cue_%1.wav / громкость -6 dB"_s.arg(index);
    cue.trigger = index % 5 ? QString() : u"Hotkey"_s;
    cue.qlabCueID = QUuid::createUuid().toString(QUuid::WithoutBraces);
    cue.originalNotes = QString();
    cue.preWait = index % 7 * 0.25;
    cue.postWait = 1.5;
    cue.descriptionSource = DescriptionSource::generated;
    return cue;
}

// Lists of 1000 cues; every tenth top-level cue is a group holding the next four.
QLabProject benchProject(int cueCount)
{
    QLabProject project;
    project.id = QUuid::createUuid();
    project.name = u"Bench"_s;
    project.exportDate = ReferenceDate::now();
    project.lastModified = project.exportDate;
    project.formatVersion = u"1.0"_s;
    int made = 0;
    while (made < cueCount) {
        QLabCueList list { QUuid::createUuid(), u"List %1"_s.arg(project.cueLists.size() + 1), {} };
        const int listEnd = std::min(cueCount, made + 1000);
        while (made < listEnd) {
            QLabCue cue = benchCue(made++);
            if (made % 10 == 1) {
                cue.type = CueType::group;
                for (int child = 0; child < 4 && made < listEnd; ++child)
                    cue.children.append(benchCue(made++));
            }
            list.cues.append(cue);
        }
        project.cueLists.append(list);
    }
    return project;
}

void saveProject(benchmark::State &state)
{
    const QLabProject project = benchProject(int(state.range(0)));
    QTemporaryDir dir;
    FakeFileDialogs dialogs;
    dialogs.saveAnswer = dir.filePath(u"bench.vtl"_s);
    for (auto _ : state) {
        bool written = false;
        ProjectFileService::saveProject(project, u"bench.vtl"_s,
            [&](const std::optional<QString> &savedPath) { written = savedPath.has_value(); });
        if (!written)
            state.SkipWithError("save failed");
    }
    state.SetItemsProcessed(state.iterations() * project.totalCueCount());
}

void openProject(benchmark::State &state)
{
    const QLabProject project = benchProject(int(state.range(0)));
    QTemporaryDir dir;
    FakeFileDialogs dialogs;
    dialogs.saveAnswer = dir.filePath(u"bench.vtl"_s);
    dialogs.openAnswer = dialogs.saveAnswer;
    ProjectFileService::saveProject(project, u"bench.vtl"_s);
    for (auto _ : state) {
        int cues = 0;
        ProjectFileService::openProject([&](std::optional<QLabProject> opened) {
            cues = opened ? opened->totalCueCount() : 0;
        });
        if (cues != project.totalCueCount())
            state.SkipWithError("open failed");
    }
    state.SetItemsProcessed(state.iterations() * project.totalCueCount());
}

BENCHMARK(saveProject)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(openProject)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

} // namespace
