#pragma once

#include "export/ExportSettings.h"
#include "export/SpreadsheetExport.h"
#include "model/QLabProject.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

// The one export object of the application: asks for the target file in a save panel, writes the
// PDF or the workbook inside the panel's answer, and reports the result: a failure in the
// "Export Error" alert; a success by the support window first and, once that window has closed,
// the success alert with "Open" and "Show in Finder". Panels and alerts go through FileDialogs,
// the support window and the file actions through ExportResultHost. Main thread only.
class ExportService
{
public:
    static ExportService &shared();

    // One PDF of the given cues; title names the file and the section, projectName heads the pages.
    void exportPDF(const ExportSettings &settings, const QList<QLabCue> &cues, const QString &title,
        const QString &projectName);
    // One PDF with a section per cue list.
    void exportAllListsPDF(const ExportSettings &settings, const QLabProject &project);
    // One sheet of the cues shown for the selected list, or a sheet per list when the settings
    // split a project of two or more lists. Nothing happens when no column is selected.
    void exportXLSX(const ExportSettings &settings, const QLabProject &project,
        const QLabCueList *selectedList, const QList<QLabCue> &cues);
    void exportAllListsXLSX(const ExportSettings &settings, const QLabProject &project);

    // The document of every list of the project, unnamed lists as "Cue List " + position.
    static std::optional<QByteArray> allListsPDFData(
        const QLabProject &project, const ExportSettings &settings);

private:
    void offerWorkbook(std::optional<SpreadsheetExport::Workbook> workbook);
    // Offers the workbook in the "Export to Excel" panel and writes it there.
    void saveXLSX(SpreadsheetExport::Workbook workbook);
    // The file's contents once a location is chosen; none when rendering failed.
    using Render = std::function<std::optional<QByteArray>()>;
    struct Success
    {
        QString title;
        QString message;
    };
    void savePDF(const QString &suggestedName, Render render, Success success);

    // Results are handled once the panel's answer has returned, never inside it.
    void reportFailure(const QString &message);
    void presentSuccess(const Success &success, const QString &path);
    void presentAfterSupport(const Success &success, const QString &path);
    void showSuccessAlert(const Success &success, const QString &path);
    void showErrorAlert(const QString &message);
};
