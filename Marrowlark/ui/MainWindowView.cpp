#include "ui/MainWindowView.h"

#include "export/ExportNames.h"
#include "import/ImportStateMachine.h"
#include "model/AppText.h"
#include "model/LanguageManager.h"
#include "model/ProjectFileService.h"
#include "qlab/WriteBackDescriptions.h"
#include "store/ProjectStore.h"
#include "ui/ActionBarView.h"
#include "ui/AlertBox.h"
#include "ui/CueTableView.h"
#include "ui/EmptyStateView.h"
#include "ui/ExcelTableView.h"
#include "ui/ExportSettingsView.h"
#include "ui/FilterBarView.h"
#include "ui/ImportProgressOverlay.h"
#include "ui/NotificationCenter.h"
#include "ui/SidebarView.h"
#include "ui/StatusBarView.h"
#include "ui/SupportManager.h"
#include "ui/import/ImportFlowView.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

AlertButton cancelButton()
{
    return { u"cancelButton"_s, AppText::cancelButton(), QMessageBox::RejectRole };
}

} // namespace

MainWindowView::MainWindowView(ProjectStore &store, QLab_NotesWriter &notesWriter, QWidget *parent)
    : QMainWindow(parent)
    , m_store(store)
    , m_notesWriter(notesWriter)
    , m_sidebar(new SidebarView(store))
    , m_cueTable(new CueTableView(store))
{
    setObjectName(u"mainWindow"_s);
    setWindowTitle(QGuiApplication::applicationDisplayName());
    resize(1200, 760);

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setChildrenCollapsible(false);
    splitter->setHandleWidth(1);
    m_sidebar->setMinimumWidth(180);
    m_sidebar->setMaximumWidth(300);
    splitter->addWidget(m_sidebar);
    splitter->addWidget(buildDetailColumn());
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({ 220, 980 });
    setCentralWidget(splitter);

    connect(&m_store, &ProjectStore::showImportSheetChanged, this, [this] {
        if (m_store.showImportSheet())
            presentImportSheet();
        else
            m_store.importMachine().cancel(); // every way of dismissing the sheet stops the import
    });
    connect(&NotificationCenter::shared(), &NotificationCenter::clearDescriptions, this,
        &MainWindowView::requestClearDescriptions);
}

QWidget *MainWindowView::buildDetailColumn()
{
    auto *actionBar = new ActionBarView(m_store);
    connect(actionBar, &ActionBarView::importRequested, this, &MainWindowView::requestImport);
    connect(actionBar, &ActionBarView::openRequested, this, &MainWindowView::requestOpenProject);
    connect(actionBar, &ActionBarView::saveRequested, this, &MainWindowView::saveProject);
    connect(actionBar, &ActionBarView::exportRequested, this, &MainWindowView::requestExport);
    connect(actionBar, &ActionBarView::generateRequested, this,
        &MainWindowView::requestAutoDescription);
    connect(actionBar, &ActionBarView::writeBackRequested, this, &MainWindowView::requestWriteBack);

    auto *emptyState = new EmptyStateView(m_store);
    connect(emptyState, &EmptyStateView::importRequested, this, &MainWindowView::requestImport);
    connect(emptyState, &EmptyStateView::loadTestDataRequested, this, [this] {
        confirmReplacingProject(
            ReplaceReason::open, [this] { m_store.loadProject(QLabProject::demo()); });
    });
    m_cueTable->setFilterBar(new FilterBarView(m_store));
    m_cueTable->setEmptyState(emptyState);
    m_cueTable->setStatusBar(new StatusBarView(m_store));

    auto *column = new QWidget;
    column->setObjectName(u"detailColumn"_s);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(actionBar);
    layout->addWidget(m_cueTable, 1);
    return column;
}

void MainWindowView::commitOpenEdit()
{
    m_cueTable->table().commitOpenEdit();
}

void MainWindowView::requestExport()
{
    commitOpenEdit();
    if (!m_exportSettings)
        m_exportSettings = new ExportSettingsView(m_store, this);
    m_exportSettings->open();
}

void MainWindowView::requestAutoDescription(AutoDescriptionScope scope)
{
    commitOpenEdit();
    m_autoDescriptionScope = scope;
    openAlert(this, u"generateDialog"_s, QMessageBox::Question, AppText::autoDescription(),
        AppText::overwriteOrFillQuestion(),
        { { u"overwriteAllButton"_s, AppText::overwriteAll() },
            { u"onlyEmptyButton"_s, AppText::onlyWhereEmpty() }, cancelButton() },
        [this, hold = m_store.postedChanges().hold()](int button) {
            if (button == 0 || button == 1)
                generateDescriptions(button == 1);
        });
}

void MainWindowView::requestClearDescriptions()
{
    commitOpenEdit();
    static constexpr ClearDescriptionsMode modes[] = { ClearDescriptionsMode::all,
        ClearDescriptionsMode::generated, ClearDescriptionsMode::imported };
    openAlert(this, u"clearDialog"_s, QMessageBox::Warning, AppText::clearAllQuestion(),
        AppText::whichDescriptionsToClear(),
        { { u"clearAllButton"_s, AppText::allDescriptions(), QMessageBox::DestructiveRole },
            { u"clearGeneratedButton"_s, AppText::onlyGenerated(), QMessageBox::DestructiveRole },
            { u"clearImportedButton"_s, AppText::onlyImported(), QMessageBox::DestructiveRole },
            cancelButton() },
        [this, hold = m_store.postedChanges().hold()](int button) {
            if (button >= 0 && button < int(std::size(modes)))
                clearDescriptions(modes[button]);
        });
}

void MainWindowView::requestWriteBack(WriteBackScope scope)
{
    commitOpenEdit();
    if (isWritingBack())
        return;
    m_writeBackScope = scope;
    openAlert(this, u"writeBackDialog"_s, QMessageBox::Question, AppText::writeToQLabNotes(),
        AppText::writeToQLabQuestion(),
        { { u"overwriteAllNotesButton"_s, AppText::overwriteAllNotes() },
            { u"onlyEmptyNotesButton"_s, AppText::onlyWhereNotesEmpty() }, cancelButton() },
        [this, hold = m_store.postedChanges().hold()](int button) {
            if (button == 0 || button == 1)
                writeBack(button == 1);
        });
}

void MainWindowView::generateDescriptions(bool onlyEmpty)
{
    if (m_autoDescriptionScope == AutoDescriptionScope::all) {
        showGenerationAlert(AppText::generatedDescriptionsAllLists(
            m_store.generateDescriptionsForAllLists(onlyEmpty)));
    } else {
        showGenerationAlert(
            AppText::generatedDescriptions(m_store.generateDescriptionsForSelectedList(onlyEmpty)));
    }
}

void MainWindowView::clearDescriptions(ClearDescriptionsMode mode)
{
    showGenerationAlert(AppText::clearedDescriptions(m_store.clearDescriptions(mode)));
}

void MainWindowView::writeBack(bool onlyEmpty)
{
    const QList<QLabCue> cues
        = m_store.cuesForWriteBack(m_writeBackScope == WriteBackScope::all, onlyEmpty);
    if (cues.isEmpty()) {
        showWriteBackAlert(AppText::noCuesToWriteMessage());
        return;
    }
    m_overlay = new ImportProgressOverlay(AppText::writingDescriptions(), QString(), this);
    // The notes go to the workspace the project was imported from, named like the project.
    writeBackDescriptions(cues, m_store.project().name, m_notesWriter,
        [self = QPointer(this)](const WriteBackResult &result) {
            if (self)
                self->handleWriteBackResult(result);
        });
}

void MainWindowView::handleWriteBackResult(const WriteBackResult &result)
{
    delete m_overlay;
    if (result.denied) {
        showWriteBackAlert(AppText::writeAccessDeniedMessage());
    } else if (result.errorMessage) {
        showWriteBackAlert(*result.errorMessage);
    } else if (result.errors > 0) {
        showWriteBackAlert(AppText::writeBackSummary(result.written, result.errors, result.total));
    } else {
        // Every note written: the support window first, the alert once it has closed.
        const QString message = AppText::writtenNotes(result.written, result.total);
        SupportManager::shared().showSupportWindow([self = QPointer(this), message] {
            QTimer::singleShot(0, self, [self, message] { self->showWriteBackAlert(message); });
        });
    }
}

bool MainWindowView::isWritingBack() const
{
    return m_overlay != nullptr;
}

void MainWindowView::showGenerationAlert(const QString &message)
{
    openAlert(this, u"generationAlert"_s, QMessageBox::Information,
        AppText::autoGenerationComplete(), message, { { u"okButton"_s, AppText::okButton() } });
}

void MainWindowView::showWriteBackAlert(const QString &message)
{
    openAlert(this, u"writeBackAlert"_s, QMessageBox::Information, AppText::writeToQLabTitle(),
        message, { { u"okButton"_s, AppText::okButton() } });
}

void MainWindowView::requestImport()
{
    confirmReplacingProject(ReplaceReason::import, [this] { startImport(); });
}

void MainWindowView::startImport()
{
    ImportStateMachine &machine = m_store.importMachine();
    machine.cancel();
    machine.setState(ImportState::idle());
    machine.start();
    m_store.setShowImportSheet(true);
}

void MainWindowView::presentImportSheet()
{
    if (m_importSheet)
        return;
    m_importSheet = new ImportFlowView(m_store, this);
    m_importSheet->open();
}

void MainWindowView::requestOpenProject()
{
    confirmReplacingProject(ReplaceReason::open, [this] {
        ProjectFileService::openProject(
            [self = QPointer(this), hold = m_store.postedChanges().hold()](
                const std::optional<QLabProject> &project) {
                if (self && project)
                    self->m_store.loadProject(*project);
            });
    });
}

void MainWindowView::saveProject()
{
    saveThen({});
}

void MainWindowView::saveThen(std::function<void(bool)> done)
{
    commitOpenEdit();
    // Named like the project, as far as the file system allows (a name may hold "/").
    ProjectFileService::saveProject(m_store.project(),
        sanitizedFileName(m_store.project().name) + u".vtl"_s,
        [self = QPointer(this), done = std::move(done), hold = m_store.postedChanges().hold()](
            const std::optional<QString> &path) {
            if (!self)
                return;
            if (path)
                self->m_store.markSaved(QUrl::fromLocalFile(*path));
            if (done)
                done(path.has_value());
        });
}

void MainWindowView::confirmReplacingProject(ReplaceReason reason, std::function<void()> proceed)
{
    commitOpenEdit();
    if (!m_store.hasUnsavedChanges()) {
        proceed();
        return;
    }
    QString question;
    switch (reason) {
    case ReplaceReason::import:
        question = AppText::saveBeforeImportQuestion();
        break;
    case ReplaceReason::open:
        question = AppText::saveBeforeOpenQuestion();
        break;
    case ReplaceReason::close:
        question = AppText::saveBeforeCloseQuestion();
        break;
    }
    openAlert(this, u"savePrompt"_s, QMessageBox::Question, question, QString(),
        { { u"saveButton"_s, AppText::saveButton() },
            { u"dontSaveButton"_s, AppText::dontSave(), QMessageBox::DestructiveRole },
            cancelButton() },
        [this, proceed = std::move(proceed), hold = m_store.postedChanges().hold()](int button) {
            if (button == 0) {
                // A cancelled panel or a failed write keeps the project as it is.
                saveThen([proceed](bool written) {
                    if (written)
                        proceed();
                });
            } else if (button == 1) {
                proceed();
            }
        });
}

void MainWindowView::closeEvent(QCloseEvent *event)
{
    // Typing still open in the table is a change to ask about, and lost with the window.
    commitOpenEdit();
    if (m_closeConfirmed || !m_store.hasUnsavedChanges()) {
        QMainWindow::closeEvent(event);
        return;
    }
    event->ignore();
    confirmReplacingProject(ReplaceReason::close, [this] {
        m_closeConfirmed = true;
        close();
    });
}
