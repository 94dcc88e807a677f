#include "export/SpreadsheetExport.h"

#include "export/CueTextStyling.h"
#include "export/ExportNames.h"
#include "model/ActionTextLayout.h"
#include "model/AppText.h"

using Cell = XLSXWriter::Cell;
using Run = XLSXWriter::RichTextRun;

namespace {

const QString headerFillHex = QStringLiteral("E6E6E6");
const QString altRowFillHex = QStringLiteral("F5F5F5");
const QString waitColorHex = QStringLiteral("0099CC");
const QString paramGrayHex = QStringLiteral("555555");
const QString placeholderGrayHex = QStringLiteral("999999");

Cell richCell(QList<Run> runs, const std::optional<QString> &fill)
{
    Cell cell;
    for (const Run &run : runs)
        cell.value += run.text;
    cell.runs = std::move(runs);
    cell.fillColorHex = fill;
    return cell;
}

Cell columnCell(ExportColumn column, const QLabCue &cue, bool preserveColors,
    const std::optional<QString> &fill)
{
    if (column == ExportColumn::action)
        return richCell(SpreadsheetExport::actionRuns(cue, preserveColors), fill);
    if (column == ExportColumn::description)
        return richCell(SpreadsheetExport::descriptionRuns(cue), fill);
    Cell cell;
    cell.value = exportColumnValue(column, cue);
    cell.fillColorHex = fill;
    switch (column) {
    case ExportColumn::type:
        cell.bold = true;
        if (preserveColors)
            cell.textColorHex = cueTypeHexColor(cue.type);
        break;
    case ExportColumn::number:
    case ExportColumn::name:
        cell.bold = cue.isGroup();
        break;
    default:
        break;
    }
    return cell;
}

Run lineBreak()
{
    return Run { .text = QStringLiteral("\n") };
}

Run placeholderRun()
{
    return Run { .text = emptyCellPlaceholder(), .colorHex = placeholderGrayHex };
}

SpreadsheetExport::Workbook finished(XLSXWriter &writer, const QString &title, QLatin1String suffix)
{
    return { sanitizedFileName(title) + suffix, std::move(writer) };
}

} // namespace

std::optional<SpreadsheetExport::Workbook> SpreadsheetExport::workbook(
    const ExportSettings &settings, const QLabProject &project, const QLabCueList *selectedList,
    const QList<QLabCue> &cues, const QDateTime &now)
{
    const QList<ExportColumn> columns = settings.orderedColumns();
    if (columns.isEmpty())
        return std::nullopt;
    if (settings.splitCueLists && project.cueLists.size() >= 2)
        return allListsWorkbook(settings, project, now);

    const QString title = selectedList ? selectedList->name : project.name;
    XLSXWriter writer;
    const int sheet = writer.addSheet(title);
    buildSheetRows(writer, sheet, cues, columns, settings.preserveColors, settings.addVersionInfo);
    return finished(writer, title, QLatin1String(".xlsx"));
}

std::optional<SpreadsheetExport::Workbook> SpreadsheetExport::allListsWorkbook(
    const ExportSettings &settings, const QLabProject &project, const QDateTime &now)
{
    const QList<ExportColumn> columns = settings.orderedColumns();
    if (columns.isEmpty())
        return std::nullopt;

    XLSXWriter writer;
    for (qsizetype i = 0; i < project.cueLists.size(); ++i) {
        const QLabCueList &list = project.cueLists[i];
        const QString name
            = list.name.isEmpty() ? QStringLiteral("Cue List %1").arg(i + 1) : list.name;
        const int sheet = writer.addSheet(name);
        buildSheetRows(
            writer, sheet, list.cues, columns, settings.preserveColors, settings.addVersionInfo);
    }

    if (settings.addVersionInfo) {
        const int info = writer.addSheet(u"Info");
        const auto addInfoRow = [&](const QString &label, const QString &value) {
            Cell labelCell;
            labelCell.value = label;
            labelCell.bold = true;
            Cell valueCell;
            valueCell.value = value;
            writer.addRow({ labelCell, valueCell }, info);
        };
        addInfoRow(AppText::generatedBy(), QStringLiteral("Marrowlark"));
        addInfoRow(AppText::versionLabel(), appVersionString());
        addInfoRow(AppText::exportDateLabel(), now.toString(u"dd.MM.yyyy HH:mm"));
        addInfoRow(AppText::websiteLabel(), makerWebsite());
        writer.setColumnWidths({ 20, 30 }, info);
    }
    return finished(writer, project.name, QLatin1String(" Marrowlark.xlsx"));
}

void SpreadsheetExport::buildSheetRows(XLSXWriter &writer, int sheet, const QList<QLabCue> &cues,
    const QList<ExportColumn> &columns, bool preserveColors, bool addVersionInfo)
{
    forEachSheetRow(cues, columns, preserveColors, addVersionInfo,
        [&](const QList<Cell> &row) { writer.addRow(row, sheet); });
    writer.setColumnWidths(sheetColumnWidths(columns, preserveColors), sheet);
}

void SpreadsheetExport::forEachSheetRow(const QList<QLabCue> &cues,
    const QList<ExportColumn> &columns, bool preserveColors, bool addVersionInfo,
    const std::function<void(const QList<Cell> &)> &take)
{
    QList<Cell> header;
    header.reserve(columns.size() + 1);
    Cell headerCell;
    headerCell.bold = true;
    headerCell.fillColorHex = headerFillHex;
    if (preserveColors)
        header.append(headerCell);
    for (ExportColumn column : columns) {
        headerCell.value = exportColumnTitle(column);
        header.append(headerCell);
    }
    take(header);

    QList<Cell> row;
    for (qsizetype i = 0; i < cues.size(); ++i) {
        const QLabCue &cue = cues[i];
        const std::optional<QString> fill
            = i % 2 == 1 ? std::optional<QString>(altRowFillHex) : std::nullopt;
        row.clear();
        if (preserveColors) {
            Cell colour;
            colour.fillColorHex = cueTypeHexColor(cue.type);
            row.append(colour);
        }
        for (ExportColumn column : columns)
            row.append(columnCell(column, cue, preserveColors, fill));
        take(row);
    }

    if (addVersionInfo) {
        take({});
        row.clear();
        Cell blank;
        blank.noBorder = true;
        if (preserveColors)
            row.append(blank);
        Cell version = blank;
        version.value = exportVersionLine();
        version.italic = true;
        version.textColorHex = placeholderGrayHex;
        row.append(version);
        take(row);
    }
}

QList<double> SpreadsheetExport::sheetColumnWidths(
    const QList<ExportColumn> &columns, bool preserveColors)
{
    QList<double> widths = xlsxColumnWidth(columns);
    if (preserveColors)
        widths.prepend(2);
    return widths;
}

QList<Run> SpreadsheetExport::actionRuns(const QLabCue &cue, bool preserveColors)
{
    if (cue.action.isEmpty())
        return { placeholderRun() };

    QList<Run> runs;
    bool first = true;
    for (const QString &line : ActionTextLayout::splitLines(cue.action)) {
        if (ActionTextLayout::isHiddenLine(line))
            continue;
        if (!first)
            runs.append(lineBreak());
        first = false;

        if (ActionTextLayout::isWaitLine(line)) {
            runs.append(Run { .text = line, .colorHex = waitColorHex, .fontSize = 9 });
            continue;
        }
        if (ActionTextLayout::isParameterLine(line)) {
            runs.append(Run { .text = line, .colorHex = paramGrayHex, .fontSize = 9 });
            continue;
        }
        const QStringView trimmed = QStringView(line).trimmed();
        const CueTextStyling::ActionTypePrefix *prefix
            = preserveColors ? CueTextStyling::actionTypePrefix(trimmed) : nullptr;
        if (!prefix) {
            runs.append(Run { .text = line, .bold = true });
            continue;
        }
        runs.append(Run { .text = prefix->word.toString(),
            .bold = true,
            .colorHex = cueTypeHexColor(prefix->type) });
        const QStringView rest = trimmed.sliced(prefix->prefix.size()).trimmed();
        if (!rest.isEmpty())
            runs.append(Run { .text = u' ' + rest.toString() });
    }
    return runs;
}

QList<Run> SpreadsheetExport::descriptionRuns(const QLabCue &cue)
{
    if (cue.notes.isEmpty())
        return { placeholderRun() };

    QList<Run> runs;
    const QStringList lines = cue.notes.split(u'\n');
    for (qsizetype k = 0; k < lines.size(); ++k) {
        if (k > 0)
            runs.append(lineBreak());
        const QStringView line = lines[k];
        qsizetype cursor = 0;
        for (const CueTextStyling::HighlightRange &range :
            CueTextStyling::highlightedRanges(line)) {
            if (cursor < range.start)
                runs.append(Run { .text = line.sliced(cursor, range.start - cursor).toString() });
            Run highlighted { .text = line.sliced(range.start, range.length).toString() };
            if (range.style == CueTextStyling::DescStyle::bold) {
                highlighted.bold = true;
            } else {
                highlighted.italic = true;
                highlighted.colorHex = paramGrayHex;
            }
            runs.append(std::move(highlighted));
            cursor = range.end();
        }
        if (cursor < line.size())
            runs.append(Run { .text = line.sliced(cursor).toString() });
    }
    return runs;
}

QList<double> SpreadsheetExport::xlsxColumnWidth(const QList<ExportColumn> &columns)
{
    QList<double> widths;
    widths.reserve(columns.size());
    for (ExportColumn column : columns)
        widths.append(spreadsheetColumnWidth(column));
    return widths;
}
