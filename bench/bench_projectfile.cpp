// Opening and saving project files of imported-show size through ProjectFileService, with the
// panels answered at once, beside Python's json.load of the same file. Items are cues, so the
// reported rate is the cost per cue. peak_MB is the resident memory an open adds at its peak.
#include "FakeFileDialogs.h"
#include "model/ProjectFileService.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <malloc.h>

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

// A field of /proc/self/status in megabytes.
double statusMegabytes(QByteArrayView field)
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(field.size() + 1).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}

// The resident memory that work adds at its peak, in megabytes.
template <typename Work> double addedPeakMegabytes(Work &&work)
{
    malloc_trim(0);
    QFile clearRefs(u"/proc/self/clear_refs"_s);
    if (!clearRefs.open(QIODevice::WriteOnly) || clearRefs.write("5") != 1)
        return 0;
    clearRefs.close();
    const double before = statusMegabytes("VmRSS:");
    work();
    return statusMegabytes("VmHWM:") - before;
}

// A saved project of cueCount cues: its path in dir.
QString savedProject(const QTemporaryDir &dir, int cueCount)
{
    FakeFileDialogs dialogs;
    dialogs.saveAnswer = dir.filePath(u"bench.vtl"_s);
    ProjectFileService::saveProject(benchProject(cueCount), u"bench.vtl"_s);
    return dialogs.saveAnswer;
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
    const int cueCount = int(state.range(0));
    QTemporaryDir dir;
    const QString path = savedProject(dir, cueCount);
    FakeFileDialogs dialogs;
    dialogs.openAnswer = path;
    int cues = 0;
    const auto open = [&] {
        ProjectFileService::openProject([&](std::optional<QLabProject> opened) {
            cues = opened ? opened->totalCueCount() : 0;
        });
    };
    for (auto _ : state) {
        open();
        if (cues != cueCount)
            state.SkipWithError("open failed");
    }
    state.SetItemsProcessed(state.iterations() * cueCount);
    state.counters["file_MB"] = double(QFileInfo(dialogs.openAnswer).size()) / (1024 * 1024);
    state.counters["peak_MB"] = addedPeakMegabytes(open);
}

// The peer: Python's json.load of the same file, timed and measured inside Python.
void pythonJsonLoad(benchmark::State &state)
{
    const QString python = u"/usr/bin/python3"_s;
    if (!QFileInfo(python).isExecutable()) {
        state.SkipWithError("no /usr/bin/python3");
        return;
    }
    QTemporaryDir dir;
    const QString path = savedProject(dir, int(state.range(0)));
    const QString script = uR"(
import json, resource, sys, time
def rss(field):
    for line in open('/proc/self/status'):
        if line.startswith(field):
            return int(line.split()[1]) / 1024
open('/proc/self/clear_refs', 'w').write('5')
before = rss('VmRSS:')
start = time.perf_counter()
with open(sys.argv[1], 'rb') as f:
    json.load(f)
print(time.perf_counter() - start, rss('VmHWM:') - before)
)"_s;
    double peak = 0;
    for (auto _ : state) {
        QProcess process;
        process.start(python, { u"-c"_s, script, path });
        process.waitForFinished(-1);
        const QList<QByteArray> answer = process.readAllStandardOutput().trimmed().split(' ');
        if (answer.size() != 2) {
            state.SkipWithError("python failed");
            return;
        }
        state.SetIterationTime(answer[0].toDouble());
        peak = answer[1].toDouble();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["peak_MB"] = peak;
}

BENCHMARK(saveProject)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(openProject)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(pythonJsonLoad)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(50000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
