#include "export/ExportService.h"

#include "export/ExportNames.h"
#include "export/ExportResultHost.h"
#include "export/PdfTableRenderer.h"
#include "export/SpreadsheetExport.h"
#include "model/AppText.h"
#include "model/FileDialogs.h"
#include "model/FileWriting.h"

#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

ExportService &ExportService::shared()
{
    static ExportService service;
    return service;
}

void ExportService::exportPDF(const ExportSettings &settings, const QList<QLabCue> &cues,
    const QString &title, const QString &projectName)
{
    savePDF(sanitizedFileName(title) + u".pdf"_s,
        [settings, cues, title, projectName] {
            return PdfTableRenderer::renderPDF({ { title, cues } }, projectName, settings);
        },
        // The export's own title, whatever name was typed in the panel.
        { AppText::pdfSaved(), AppText::documentReady(title) });
}

void ExportService::exportAllListsPDF(const ExportSettings &settings, const QLabProject &project)
{
    savePDF(sanitizedFileName(project.name) + u" Marrowlark.pdf"_s,
        [settings, project] { return allListsPDFData(project, settings); },
        { AppText::pdfSaved(), QString() });
}

std::optional<QByteArray> ExportService::allListsPDFData(
    const QLabProject &project, const ExportSettings &settings)
{
    QList<PdfSection> sections;
    for (qsizetype i = 0; i < project.cueLists.size(); ++i) {
        const QLabCueList &list = project.cueLists.at(i);
        const QString name
            = list.name.isEmpty() ? u"Cue List "_s + QString::number(i + 1) : list.name;
        sections.append({ name, list.cues });
    }
    return PdfTableRenderer::renderPDF(sections, project.name, settings);
}

void ExportService::exportXLSX(const ExportSettings &settings, const QLabProject &project,
    const QLabCueList *selectedList, const QList<QLabCue> &cues)
{
    offerWorkbook(SpreadsheetExport::workbook(settings, project, selectedList, cues));
}

void ExportService::exportAllListsXLSX(const ExportSettings &settings, const QLabProject &project)
{
    offerWorkbook(SpreadsheetExport::allListsWorkbook(settings, project));
}

void ExportService::offerWorkbook(std::optional<SpreadsheetExport::Workbook> workbook)
{
    if (workbook)
        saveXLSX(std::move(*workbook));
}

void ExportService::saveXLSX(SpreadsheetExport::Workbook workbook)
{
    // The panel's answer holds the workbook's tables; its bytes go straight into the file.
    const auto writer = std::make_shared<const XLSXWriter>(std::move(workbook.writer));
    FileDialogs::current().chooseSavePath(AppText::exportToExcel(), u"xlsx"_s,
        workbook.suggestedFileName, [this, writer](const QString &path) {
            if (path.isEmpty())
                return;
            XLSXWriter::WriteOutcome outcome = XLSXWriter::WriteOutcome::deviceFailed;
            const QString error = writeFileSafely(path, [&](QIODevice &file) {
                outcome = writer->write(file);
                return outcome == XLSXWriter::WriteOutcome::written;
            });
            if (outcome == XLSXWriter::WriteOutcome::tooLarge)
                reportFailure(AppText::failedToSaveFile(AppText::workbookTooLarge()));
            else if (!error.isEmpty())
                reportFailure(AppText::failedToSaveFile(error));
            else
                presentSuccess({ AppText::fileSaved(), QString() }, path);
        });
}

void ExportService::savePDF(const QString &suggestedName, Render render, Success success)
{
    FileDialogs::current().chooseSavePath(AppText::exportToPDFTitle(), u"pdf"_s, suggestedName,
        [this, render = std::move(render), success = std::move(success)](const QString &path) {
            if (path.isEmpty())
                return;
            const std::optional<QByteArray> data = render();
            if (!data)
                reportFailure(AppText::failedToCreatePDF());
            else if (const QString error = writeFileSafely(
                         path, [&](QIODevice &file) { return file.write(*data) == data->size(); });
                     !error.isEmpty())
                reportFailure(AppText::failedToSavePDF(error));
            else
                presentSuccess(success, path);
        });
}

void ExportService::reportFailure(const QString &message)
{
    QTimer::singleShot(0, [this, message] { showErrorAlert(message); });
}

void ExportService::presentSuccess(const Success &success, const QString &path)
{
    // Never from inside the panel's answer: the result is handled once that has returned.
    QTimer::singleShot(0, [this, success, path] { presentAfterSupport(success, path); });
}

void ExportService::presentAfterSupport(const Success &success, const QString &path)
{
    ExportResultHost::current().showSupportWindow([this, success, path] {
        QTimer::singleShot(0, [this, success, path] { showSuccessAlert(success, path); });
    });
}

void ExportService::showSuccessAlert(const Success &success, const QString &path)
{
    FileDialogs::current().showChoice(success.title, success.message,
        { AppText::openButton(), AppText::showInFinder(), AppText::okButton() },
        [path](int button) {
            if (button == 0)
                ExportResultHost::current().openFile(path);
            else if (button == 1)
                ExportResultHost::current().revealFile(path);
        });
}

void ExportService::showErrorAlert(const QString &message)
{
    FileDialogs::current().showAlert(AppText::exportErrorTitle(), message);
}
