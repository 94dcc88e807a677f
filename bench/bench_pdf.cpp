// The PDF export of 1k and 10k cues, beside LibreOffice converting the same table to PDF in the
// same run where it is installed.
#include "export/PdfTableRenderer.h"
#include "export/SpreadsheetExport.h"
#include "model/FileWriting.h"
#include "model/LanguageManager.h"

#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// A show as QLab exports it: mostly one- to three-line actions and descriptions, every tenth cue
// a group with several members, some long free-text notes.
QList<QLabCue> makeShow(int count)
{
    const CueType types[] = { CueType::audio, CueType::fade, CueType::group, CueType::midi,
        CueType::start, CueType::wait, CueType::network, CueType::video };
    QList<QLabCue> cues;
    cues.reserve(count);
    for (int i = 0; i < count; ++i) {
        QLabCue cue;
        cue.id = QUuid::createUuid();
        cue.type = types[i % 8];
        cue.number = QString::number(i + 1);
        cue.name = i % 3 ? u"Sound effect %1"_s.arg(i) : u"Звуковой эффект %1"_s.arg(i);
        if (i % 10 == 2) {
            cue.type = CueType::group;
            cue.action
                = u"Group\nAudio rain.wav\n   level -6 dB\nFade \u2192 Thunder\n   10 "
                  u"sec\n   pre-wait: 2s\nStart \u2192 Cue %1\nStop \u2192 Cue %2"_s.arg(i + 2)
                      .arg(i - 1);
            cue.notes = u"Воспроизводится дождь (уровень -6 dB), затем Фейд за 10 сек.\nStarts "
                        u"cue %1 then after 2 sec stops the thunder."_s.arg(i + 2);
        } else {
            cue.action = u"Audio effect_%1.wav\n   level -3 dB\n   rate 1.0"_s.arg(i);
            cue.notes = u"Plays effect %1 (level -3 dB) for 4 sec"_s.arg(i);
        }
        if (i % 25 == 7)
            cue.notes += u"\n"_s
                + u"A long note from the designer about what this moment needs, "_s.repeated(12);
        cue.trigger = i % 4 ? QString() : u"GO"_s;
        cues.append(cue);
    }
    return cues;
}

void exportPdf(benchmark::State &state)
{
    const QList<PdfSection> sections { { u"Act 1"_s, makeShow(int(state.range(0))) } };
    const ExportSettings settings;
    qsizetype bytes = 0;
    for (auto _ : state) {
        const std::optional<QByteArray> data
            = PdfTableRenderer::renderPDF(sections, u"Bench Show"_s, settings);
        if (!data) {
            state.SkipWithError("rendering failed");
            return;
        }
        bytes = data->size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["cues/s"]
        = benchmark::Counter(double(state.range(0)), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["time/cue"] = benchmark::Counter(double(state.range(0)),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["MB"] = double(bytes) / 1e6;
}

// The same cues as a workbook, converted by LibreOffice without a window.
void exportPdfLibreOffice(benchmark::State &state)
{
    const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
    if (soffice.isEmpty()) {
        state.SkipWithError("LibreOffice (soffice) is not installed");
        return;
    }
    QLabProject project;
    project.name = u"Bench Show"_s;
    project.cueLists = { { QUuid::createUuid(), u"Act 1"_s, makeShow(int(state.range(0))) } };
    const auto workbook = SpreadsheetExport::workbook(
        ExportSettings(), project, &project.cueLists.first(), project.cueLists.first().cues);
    QTemporaryDir dir;
    const QString table = dir.filePath(u"table.xlsx"_s);
    if (!workbook || !writeFileSafely(table, [&](QIODevice &file) {
            return workbook->writer.write(file) == XLSXWriter::WriteOutcome::written;
        }).isEmpty()) {
        state.SkipWithError("the table could not be written");
        return;
    }
    for (auto _ : state) {
        QProcess office;
        office.start(soffice,
            { u"--headless"_s, u"-env:UserInstallation=file://"_s + dir.filePath(u"profile"_s),
                u"--convert-to"_s, u"pdf"_s, u"--outdir"_s, dir.path(), table });
        if (!office.waitForFinished(-1) || office.exitCode() != 0) {
            state.SkipWithError("LibreOffice failed");
            return;
        }
    }
    state.counters["cues/s"]
        = benchmark::Counter(double(state.range(0)), benchmark::Counter::kIsIterationInvariantRate);
}

} // namespace

BENCHMARK(exportPdf)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(exportPdfLibreOffice)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
