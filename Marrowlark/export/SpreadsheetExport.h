#pragma once

#include "export/ExportSettings.h"
#include "export/XLSXWriter.h"
#include "model/QLabProject.h"

#include <QDateTime>

#include <functional>

#include <optional>

// The spreadsheet side of the export service: the workbook of one cue list, or of every list of a
// project, built from the export settings. Offering it in a save panel is the service's.
class SpreadsheetExport
{
public:
    struct Workbook
    {
        QString suggestedFileName;
        // Filled and ready to write: a save panel holds the workbook's tables, never its bytes,
        // and the file is written part by part when it is saved.
        XLSXWriter writer;
    };

    // The workbook of the cues shown for the selected list (titled by that list, else by the
    // project), or of every list when the settings split a project of two or more. Nothing when
    // no column is selected.
    static std::optional<Workbook> workbook(const ExportSettings &settings,
        const QLabProject &project, const QLabCueList *selectedList, const QList<QLabCue> &cues,
        const QDateTime &now = QDateTime::currentDateTime());

    // One sheet per cue list and, with version info, an "Info" sheet dated now. Nothing when no
    // column is selected.
    static std::optional<Workbook> allListsWorkbook(const ExportSettings &settings,
        const QLabProject &project, const QDateTime &now = QDateTime::currentDateTime());

    // The header row, one row per cue and the version line of one sheet, and its column widths.
    static void buildSheetRows(XLSXWriter &writer, int sheet, const QList<QLabCue> &cues,
        const QList<ExportColumn> &columns, bool preserveColors, bool addVersionInfo);
    // The rows of one sheet, handed over one at a time.
    static void forEachSheetRow(const QList<QLabCue> &cues, const QList<ExportColumn> &columns,
        bool preserveColors, bool addVersionInfo,
        const std::function<void(const QList<XLSXWriter::Cell> &)> &take);
    // The widths of one sheet's columns, the colour strip's first when it has one.
    static QList<double> sheetColumnWidths(const QList<ExportColumn> &columns, bool preserveColors);

    static QList<XLSXWriter::RichTextRun> actionRuns(const QLabCue &cue, bool preserveColors);
    static QList<XLSXWriter::RichTextRun> descriptionRuns(const QLabCue &cue);
    static QList<double> xlsxColumnWidth(const QList<ExportColumn> &columns);
};
