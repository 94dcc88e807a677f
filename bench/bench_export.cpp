// Exporting shows of 1k to 50k cues. The spreadsheet benchmarks compare our workbook writer with
// libxlsxwriter writing the same cells, formats and rich strings to a file in the same run, and
// measure how much memory an export adds to the open project.
#include "export/ExportSettings.h"
#include "export/SpreadsheetExport.h"
#include "export/XLSXWriter.h"
#include "model/FileWriting.h"
#include "model/QLabProject.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr CueType benchTypes[] = { CueType::audio, CueType::fade, CueType::start, CueType::midi,
    CueType::group, CueType::wait, CueType::network, CueType::video };

// A show as QLab imports it: multi-line actions with parameter and wait lines, descriptions
// with keywords and measures in both languages.
QLabCue benchCue(int index)
{
    QLabCue cue;
    cue.id = QUuid::createUuid();
    cue.type = benchTypes[index % std::size(benchTypes)];
    cue.number = QString::number(index + 1);
    cue.name = index % 4 ? u"cue_%1.wav"_s.arg(index) : QString();
    switch (cue.type) {
    case CueType::fade:
        cue.action
            = u"Fade → Cue %1\n   level: -6 dB\n   duration: 3 sec\npre-wait: 0.5"_s.arg(index);
        cue.notes = u"Фейд «cue_%1» за 3 сек (уровень -6 dB)"_s.arg(index);
        break;
    case CueType::start:
        cue.action = u"Start → Cue %1"_s.arg(index + 2);
        cue.notes = u"Starts Cue %1 after 2.5 sec"_s.arg(index + 2);
        break;
    case CueType::group:
        cue.action = u"Audio \"a_%1.wav\"\n   master -3\nFade (fx) → Cue %1\n   rate 1.2\n"
                     "[notes: hidden]\npost-wait: 1"_s.arg(index);
        cue.notes = u"Воспроизводится «a_%1»\nthen after 1 sec next Cue"_s.arg(index);
        break;
    default:
        cue.action = u"Audio \"cue_%1.wav\"\n   master -6\n   <1-2> 0"_s.arg(index);
        cue.notes = u"Plays cue_%1.wav (level -6 dB) for 12 sec"_s.arg(index);
    }
    cue.trigger = index % 5 ? QString() : u"Hotkey"_s;
    return cue;
}

QList<QLabCue> benchCues(int count)
{
    QList<QLabCue> cues;
    cues.reserve(count);
    for (int i = 0; i < count; ++i)
        cues.append(benchCue(i));
    return cues;
}

QLabProject benchProject(int count)
{
    QLabProject project;
    project.id = QUuid::createUuid();
    project.name = u"Bench"_s;
    project.cueLists = { { QUuid::createUuid(), u"Act 1"_s, benchCues(count) } };
    return project;
}

bool saveWorkbook(const QString &path, const XLSXWriter &writer)
{
    return writeFileSafely(path, [&](QIODevice &file) {
        return writer.write(file) == XLSXWriter::WriteOutcome::written;
    }).isEmpty();
}

// A figure of /proc/self/status in megabytes, e.g. "VmRSS" (now) or "VmHWM" (the peak).
double statusMegabytes(const QByteArray &key)
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key + ':'))
            return line.mid(key.size() + 1).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}

// Starts a new peak at the current resident size.
void resetPeakMemory()
{
    malloc_trim(0);
    QFile clearRefs(u"/proc/self/clear_refs"_s);
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
}

// The same sheet prepared for libxlsxwriter ahead of time (UTF-8 texts, each cell and run with
// the number of its format), so that only its own work is timed.
struct LxwStyle
{
    bool bold, italic, border;
    int color, fill; // RGB, -1: none
    double size;
    friend bool operator==(const LxwStyle &, const LxwStyle &) = default;
};
struct LxwRun
{
    std::string text;
    int style;
};
struct LxwCell
{
    std::string value;
    int style;
    std::vector<LxwRun> runs;
};
struct LxwSheet
{
    std::string name;
    std::vector<LxwStyle> styles;
    std::vector<std::vector<LxwCell>> rows;
    std::vector<double> widths;

    int style(const LxwStyle &wanted)
    {
        const auto found = std::find(styles.begin(), styles.end(), wanted);
        if (found != styles.end())
            return int(found - styles.begin());
        styles.push_back(wanted);
        return int(styles.size() - 1);
    }
};

int hexColor(const std::optional<QString> &hex)
{
    return hex ? hex->toInt(nullptr, 16) : -1;
}

// The rows and widths of one export's sheet.
LxwSheet lxwSheet(int count)
{
    const QList<ExportColumn> columns = ExportSettings().orderedColumns();
    LxwSheet sheet { "Act 1", {}, {}, {} };
    SpreadsheetExport::forEachSheetRow(
        benchCues(count), columns, true, true, [&](const QList<XLSXWriter::Cell> &row) {
            std::vector<LxwCell> cells;
            for (const XLSXWriter::Cell &cell : row) {
                LxwCell out { cell.value.toStdString(),
                    sheet.style({ cell.bold, cell.italic, !cell.noBorder,
                        hexColor(cell.textColorHex), hexColor(cell.fillColorHex), 11 }),
                    {} };
                for (const XLSXWriter::RichTextRun &run : cell.runs) {
                    // A rich string takes no empty fragment.
                    if (run.text.isEmpty())
                        continue;
                    out.runs.push_back({ run.text.toStdString(),
                        sheet.style({ run.bold, run.italic, false, hexColor(run.colorHex), -1,
                            run.fontSize.value_or(11) }) });
                }
                cells.push_back(std::move(out));
            }
            sheet.rows.push_back(std::move(cells));
        });
    for (double width : SpreadsheetExport::sheetColumnWidths(columns, true))
        sheet.widths.push_back(width);
    return sheet;
}

bool writeWithLibxlsxwriter(const LxwSheet &sheet, const std::string &path)
{
    lxw_workbook *workbook = workbook_new(path.c_str());
    lxw_worksheet *worksheet = workbook_add_worksheet(workbook, sheet.name.c_str());
    std::vector<lxw_format *> formats;
    formats.reserve(sheet.styles.size());
    for (const LxwStyle &style : sheet.styles) {
        lxw_format *format = workbook_add_format(workbook);
        if (style.bold)
            format_set_bold(format);
        if (style.italic)
            format_set_italic(format);
        if (style.color >= 0)
            format_set_font_color(format, lxw_color_t(style.color));
        if (style.size != 11)
            format_set_font_size(format, style.size);
        if (style.fill >= 0) {
            format_set_pattern(format, LXW_PATTERN_SOLID);
            format_set_bg_color(format, lxw_color_t(style.fill));
        }
        if (style.border) {
            format_set_border(format, LXW_BORDER_THIN);
            format_set_text_wrap(format);
        }
        formats.push_back(format);
    }

    for (size_t c = 0; c < sheet.widths.size(); ++c)
        worksheet_set_column(worksheet, lxw_col_t(c), lxw_col_t(c), sheet.widths[c], nullptr);
    lxw_row_col_options hidden { 1, 0, 0 };
    worksheet_set_column_opt(worksheet, lxw_col_t(sheet.widths.size()), 25, 0, nullptr, &hidden);

    std::vector<lxw_rich_string_tuple> fragments;
    std::vector<lxw_rich_string_tuple *> fragmentList;
    for (size_t r = 0; r < sheet.rows.size(); ++r) {
        for (size_t c = 0; c < sheet.rows[r].size(); ++c) {
            const LxwCell &cell = sheet.rows[r][c];
            // A rich string needs two fragments; one styled run is a styled plain string.
            if (cell.runs.size() >= 2) {
                fragments.clear();
                for (const LxwRun &run : cell.runs)
                    fragments.push_back(
                        { formats[run.style], const_cast<char *>(run.text.c_str()) });
                fragmentList.clear();
                for (lxw_rich_string_tuple &fragment : fragments)
                    fragmentList.push_back(&fragment);
                fragmentList.push_back(nullptr);
                worksheet_write_rich_string(worksheet, lxw_row_t(r), lxw_col_t(c),
                    fragmentList.data(), formats[cell.style]);
            } else {
                worksheet_write_string(
                    worksheet, lxw_row_t(r), lxw_col_t(c), cell.value.c_str(), formats[cell.style]);
            }
        }
    }
    return workbook_close(workbook) == LXW_NO_ERROR;
}

// Our whole spreadsheet export of one list: styling the cells, building and saving the workbook.
void BM_XlsxExport(benchmark::State &state)
{
    const int count = int(state.range(0));
    const QLabProject project = benchProject(count);
    ExportSettings settings;
    settings.format = ExportFormat::excel;
    QTemporaryDir dir;
    const QString path = dir.filePath(u"export.xlsx"_s);
    for (auto _ : state) {
        const auto workbook = SpreadsheetExport::workbook(
            settings, project, &project.cueLists.first(), project.cueLists.first().cues);
        if (!workbook || !saveWorkbook(path, workbook->writer))
            state.SkipWithError("export failed");
    }
    state.SetItemsProcessed(state.iterations() * count);
}

// What an export adds to the memory of the open project at its peak, beside the size of the
// workbook it writes (one iteration: the peak is the process's).
void BM_XlsxExportMemory(benchmark::State &state)
{
    const int count = int(state.range(0));
    const QLabProject project = benchProject(count);
    ExportSettings settings;
    settings.format = ExportFormat::excel;
    QTemporaryDir dir;
    const QString path = dir.filePath(u"export.xlsx"_s);
    double openMegabytes = 0;
    double addedMegabytes = 0;
    for (auto _ : state) {
        resetPeakMemory();
        openMegabytes = statusMegabytes("VmRSS");
        const auto workbook = SpreadsheetExport::workbook(
            settings, project, &project.cueLists.first(), project.cueLists.first().cues);
        if (!workbook || !saveWorkbook(path, workbook->writer))
            state.SkipWithError("export failed");
        addedMegabytes = statusMegabytes("VmHWM") - openMegabytes;
    }
    state.counters["open_project_MB"] = openMegabytes;
    state.counters["export_adds_MB"] = addedMegabytes;
    state.counters["workbook_MB"] = double(QFileInfo(path).size()) / (1024 * 1024);
}

// The same cells written by our writer and by libxlsxwriter, one after the other in each
// iteration; the ratio below 1 means ours is faster.
void BM_XlsxWriterVsLibxlsxwriter(benchmark::State &state)
{
    using Clock = std::chrono::steady_clock;
    const int count = int(state.range(0));
    // Both writers get the same finished cells; each takes them in and writes the file.
    const QList<ExportColumn> columns = ExportSettings().orderedColumns();
    QList<QList<XLSXWriter::Cell>> rows;
    SpreadsheetExport::forEachSheetRow(benchCues(count), columns, true, true,
        [&](const QList<XLSXWriter::Cell> &row) { rows.append(row); });
    const LxwSheet sheet = lxwSheet(count);
    QTemporaryDir dir;
    const QString ours = dir.filePath(u"ours.xlsx"_s);
    const std::string theirs = dir.filePath(u"libxlsxwriter.xlsx"_s).toStdString();
    double oursSeconds = 0;
    double theirsSeconds = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        XLSXWriter writer;
        const int sheetIndex = writer.addSheet(u"Act 1");
        for (const QList<XLSXWriter::Cell> &row : std::as_const(rows))
            writer.addRow(row, sheetIndex);
        writer.setColumnWidths(SpreadsheetExport::sheetColumnWidths(columns, true), sheetIndex);
        if (!saveWorkbook(ours, writer))
            state.SkipWithError("our writer failed");
        const auto middle = Clock::now();
        if (!writeWithLibxlsxwriter(sheet, theirs))
            state.SkipWithError("libxlsxwriter failed");
        const auto end = Clock::now();
        oursSeconds += std::chrono::duration<double>(middle - start).count();
        theirsSeconds += std::chrono::duration<double>(end - middle).count();
    }
    const double iterations = double(state.iterations());
    state.counters["ours_ms"] = oursSeconds / iterations * 1000;
    state.counters["libxlsxwriter_ms"] = theirsSeconds / iterations * 1000;
    state.counters["ratio"] = theirsSeconds > 0 ? oursSeconds / theirsSeconds : 0;
    state.SetItemsProcessed(state.iterations() * count);
}

} // namespace

BENCHMARK(BM_XlsxExport)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XlsxWriterVsLibxlsxwriter)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XlsxExportMemory)->Arg(1000)->Arg(50000)->Iterations(1)->Unit(benchmark::kMillisecond);
