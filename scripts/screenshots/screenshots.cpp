// Renders every window, dialog and alert of the frame offscreen into PNG files, in both languages
// and both themes: <name>-<en|ru>-<dark|light>.png in the folder given as the first argument.
// To add a picture, add one entry to shots(): a name and a function that brings the widget up
// on the stage and returns it.
#include "import/ImportStateMachine.h"
#include "model/AppText.h"
#include "model/LanguageManager.h"
#include "qlab/QLab_Importer.h"
#include "qlab/QLab_NotesWriter.h"
#include "store/ProjectStore.h"
#include "ui/ActionBarView.h"
#include "ui/AppTheme.h"
#include "ui/ApplicationMenus.h"
#include "ui/CueTableView.h"
#include "ui/EmptyStateView.h"
#include "ui/ExcelTableView.h"
#include "ui/ExportSettingsView.h"
#include "ui/FilterBarView.h"
#include "ui/ImportProgressOverlay.h"
#include "ui/LanguagePickerView.h"
#include "ui/LegalWindowManager.h"
#include "ui/MainWindowView.h"
#include "ui/MarrowlarkApp.h"
#include "ui/QtFileDialogs.h"
#include "ui/SidebarView.h"
#include "ui/StatusBarView.h"
#include "ui/SupportManager.h"
#include "ui/import/ImportFlowView.h"

#include <QAbstractButton>
#include <QDir>
#include <QFrame>
#include <QMessageBox>
#include <QScrollBar>
#include <QTextStream>
#include <QTimer>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A main window over the sample project, as the program builds it.
struct Stage
{
    Stage()
        : store(QLabProject::demo())
        , importer(dialogs)
        , window(store, notesWriter)
        , menus(window, importer)
    {
        FileDialogs::setCurrent(&dialogs);
        dialogs.setWindow(&window);
        window.show();
    }
    ~Stage() { FileDialogs::setCurrent(nullptr); }

    ProjectStore store;
    QLab_NotesWriter notesWriter;
    QtFileDialogs dialogs;
    QLab_Importer importer;
    MainWindowView window;
    ApplicationMenus menus;
};

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

QWidget *named(const QString &objectName)
{
    settle();
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == objectName && window->isVisible())
            return window;
        if (QWidget *child = window->findChild<QWidget *>(objectName); child && child->isVisible())
            return child;
    }
    return nullptr;
}

// The sample project's first list fifty times over, numbered on.
QLabProject longShow()
{
    QLabProject project = QLabProject::demo();
    const QList<QLabCue> sample = project.cueLists.first().cues;
    QList<QLabCue> &cues = project.cueLists.first().cues;
    for (int round = 1; round < 50; ++round) {
        for (QLabCue cue : sample) {
            cue.id = QUuid::createUuid();
            cue.number = u"%1.%2"_s.arg(round).arg(cue.number);
            cues.append(cue);
        }
    }
    return project;
}

// The cue table on its own window, scrolled down by offset.
QWidget *cueTable(Stage &stage, int offset)
{
    auto *view = new CueTableView(stage.store, &stage.window);
    view->setWindowFlag(Qt::Window);
    view->resize(1240, 720);
    view->show();
    settle();
    view->table().verticalScrollBar()->setValue(offset);
    return view;
}

void press(const QString &dialog, const QString &button)
{
    if (QWidget *box = named(dialog))
        box->findChild<QAbstractButton *>(button)->click();
    settle();
}

// A view of the main window on its own, at a size that shows it whole.
QWidget *alone(QWidget *view, QSize size)
{
    view->setAttribute(Qt::WA_DeleteOnClose);
    view->resize(size);
    view->show();
    return view;
}

// The import sheet over the window, its machine put in a state by setup as an import would.
QWidget *importSheet(Stage &stage, const std::function<void(ImportStateMachine &)> &setup)
{
    auto *sheet = new ImportFlowView(stage.store, &stage.window);
    sheet->open();
    setup(stage.store.importMachine());
    settle();
    return sheet;
}

QList<CueListInfo> sampleCueLists()
{
    return { { u"L1"_s, u"Main Cue List"_s, 14, true }, { u"L2"_s, u"Sound Checks"_s, 3, true },
        { u"L3"_s, u"Cart"_s, 5, false } };
}

struct Shot
{
    QString name;
    std::function<QWidget *(Stage &)> show;
};

QList<Shot> shots()
{
    return {
        { u"main-window"_s, [](Stage &stage) { return &stage.window; } },
        { u"cue-table"_s,
            [](Stage &stage) {
                stage.store.setSelectedCueID(stage.store.filteredCues().value(3).id);
                return cueTable(stage, 0);
            } },
        { u"cue-table-long-show"_s,
            [](Stage &stage) {
                stage.store.loadProject(longShow());
                return cueTable(stage, 20000);
            } },
        { u"cue-table-editing"_s,
            [](Stage &stage) {
                QWidget *view = cueTable(stage, 0);
                stage.store.setSelectedCueID(stage.store.filteredCues().value(1).id);
                static_cast<CueTableView *>(view)->table().startEditing(
                    stage.store.filteredCues().value(1).id);
                return view;
            } },
        { u"generate-dialog"_s,
            [](Stage &stage) {
                stage.window.requestAutoDescription(MainWindowView::AutoDescriptionScope::all);
                return named(u"generateDialog"_s);
            } },
        { u"generation-alert"_s,
            [](Stage &stage) {
                stage.window.requestAutoDescription(MainWindowView::AutoDescriptionScope::all);
                press(u"generateDialog"_s, u"onlyEmptyButton"_s);
                return named(u"generationAlert"_s);
            } },
        { u"clear-dialog"_s,
            [](Stage &stage) {
                stage.window.requestClearDescriptions();
                return named(u"clearDialog"_s);
            } },
        { u"write-back-dialog"_s,
            [](Stage &stage) {
                stage.window.requestWriteBack(WriteBackScope::all);
                return named(u"writeBackDialog"_s);
            } },
        { u"write-back-alert"_s,
            [](Stage &stage) {
                stage.store.clearDescriptions(ClearDescriptionsMode::all);
                stage.window.requestWriteBack(WriteBackScope::all);
                press(u"writeBackDialog"_s, u"overwriteAllNotesButton"_s);
                return named(u"writeBackAlert"_s);
            } },
        { u"write-back-overlay"_s,
            [](Stage &stage) {
                new ImportProgressOverlay(AppText::writingDescriptions(), {}, &stage.window);
                return &stage.window;
            } },
        { u"save-prompt"_s,
            [](Stage &stage) {
                stage.store.updateNotes(
                    stage.store.project().cueLists[0].cues[0].id, AppText::testData());
                stage.window.requestImport();
                return named(u"savePrompt"_s);
            } },
        { u"sidebar"_s,
            [](Stage &stage) {
                return alone(new SidebarView(stage.store), { 240, 480 });
            } },
        { u"settings-popover"_s,
            [](Stage &stage) {
                auto *sidebar = new SidebarView(stage.store);
                alone(sidebar, { 240, 480 });
                auto *picker = sidebar->findChild<LanguagePickerView *>();
                picker->setShowSettings(true);
                return static_cast<QWidget *>(picker->popover());
            } },
        { u"action-bar"_s,
            [](Stage &stage) {
                return alone(new ActionBarView(stage.store), { 900, 40 });
            } },
        { u"filter-bar"_s,
            [](Stage &stage) {
                stage.store.setSearchText(u"rain"_s);
                return alone(new FilterBarView(stage.store), { 700, 38 });
            } },
        { u"status-bar"_s,
            [](Stage &stage) {
                stage.store.setSearchText(u"rain"_s);
                stage.store.setHasUnsavedChanges(true);
                return alone(new StatusBarView(stage.store), { 700, 28 });
            } },
        { u"empty-state-no-data"_s,
            [](Stage &stage) {
                stage.store.newProject();
                return alone(new EmptyStateView(stage.store), { 600, 400 });
            } },
        { u"empty-state-no-list"_s,
            [](Stage &stage) {
                stage.store.setSelectedCueListID(std::nullopt);
                return alone(new EmptyStateView(stage.store), { 600, 400 });
            } },
        { u"empty-state-nothing-found"_s,
            [](Stage &stage) {
                stage.store.setSearchText(u"nothing like this"_s);
                return alone(new EmptyStateView(stage.store), { 600, 400 });
            } },
        { u"export-dialog"_s,
            [](Stage &stage) {
                auto *dialog = new ExportSettingsView(stage.store, &stage.window);
                dialog->setAttribute(Qt::WA_DeleteOnClose);
                dialog->open();
                return static_cast<QWidget *>(dialog);
            } },
        { u"export-error-alert"_s,
            [](Stage &stage) {
                stage.dialogs.showAlert(
                    AppText::exportErrorTitle(), AppText::failedToSavePDF(u"Permission denied"_s));
                return named(u"warningAlert"_s);
            } },
        { u"export-success-alert"_s,
            [](Stage &stage) {
                stage.dialogs.showChoice(AppText::pdfSaved(), AppText::documentReady(u"Act 1"_s),
                    { AppText::openButton(), AppText::showInFinder(), AppText::okButton() },
                    [](int) {});
                return named(u"choiceAlert"_s);
            } },
        { u"import-waiting"_s,
            [](Stage &stage) {
                return importSheet(stage, [](ImportStateMachine &machine) {
                    machine.setState(ImportState::checkingOSC());
                });
            } },
        { u"import-workspace-picker"_s,
            [](Stage &stage) {
                return importSheet(stage, [](ImportStateMachine &machine) {
                    machine.askWorkspace(
                        { WorkspaceInfo::named(u"Hamlet"_s), WorkspaceInfo::named(u"Macbeth"_s) });
                });
            } },
        { u"import-confirmation"_s,
            [](Stage &stage) {
                return importSheet(stage, [](ImportStateMachine &machine) {
                    machine.askExportConfirmation(u"Hamlet"_s);
                });
            } },
        { u"import-osc-access"_s,
            [](Stage &stage) {
                QWidget *sheet = importSheet(
                    stage, [](ImportStateMachine &machine) { machine.askOSCAccess(true, 0); });
                press(u"importSheet"_s, u"oscEnterPasscodeButton"_s);
                return sheet;
            } },
        { u"import-osc-unavailable"_s,
            [](Stage &stage) {
                return importSheet(
                    stage, [](ImportStateMachine &machine) { machine.askOSCAccess(false, 0); });
            } },
        { u"import-cue-lists"_s,
            [](Stage &stage) {
                return importSheet(stage,
                    [](ImportStateMachine &machine) { machine.askCueLists(sampleCueLists()); });
            } },
        { u"import-progress"_s,
            [](Stage &stage) {
                return importSheet(stage, [](ImportStateMachine &machine) {
                    machine.setEstimatedTotalSeconds(95);
                    machine.setImportProgress(0.42);
                    machine.setState(ImportState::importingCues(1, 2, u"Main Cue List"_s, 14));
                });
            } },
        { u"import-complete"_s,
            [](Stage &stage) {
                return importSheet(stage, [](ImportStateMachine &machine) {
                    machine.setState(ImportState::completed(u"Hamlet"_s, 2, 17));
                });
            } },
        { u"import-error"_s,
            [](Stage &stage) {
                return importSheet(stage, [](ImportStateMachine &machine) {
                    machine.setState(ImportState::failed(AppText::qlabNotRunning()));
                });
            } },
        { u"support-window"_s,
            [](Stage &) {
                SupportManager::shared().showSupportWindow();
                return named(u"supportWindow"_s);
            } },
        { u"license-window"_s,
            [](Stage &) {
                LegalWindowManager::shared().showLicense();
                return named(u"licenseWindow"_s);
            } },
        { u"privacy-window"_s,
            [](Stage &) {
                LegalWindowManager::shared().showPrivacyPolicy();
                return named(u"privacyWindow"_s);
            } },
    };
}

void closeEverything()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        window->close();
    settle();
}

} // namespace

int main(int argc, char *argv[])
{
    MarrowlarkApp app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : u"screenshots"_s;
    QDir().mkpath(folder);
    QTextStream out(stdout);
    LanguageManager &lang = LanguageManager::shared();
    const AppLanguage language = lang.current();
    const AppThemeMode theme = lang.themeMode();

    int failures = 0;
    for (const AppLanguage shotLanguage : { AppLanguage::english, AppLanguage::russian }) {
        lang.setCurrent(shotLanguage);
        for (const AppThemeMode shotTheme : { AppThemeMode::dark, AppThemeMode::light }) {
            lang.setThemeMode(shotTheme);
            for (const Shot &shot : shots()) {
                const QString file = u"%1/%2-%3-%4.png"_s.arg(folder, shot.name,
                    shotLanguage == AppLanguage::english ? u"en"_s : u"ru"_s,
                    shotTheme == AppThemeMode::dark ? u"dark"_s : u"light"_s);
                {
                    Stage stage;
                    settle();
                    QWidget *widget = shot.show(stage);
                    settle();
                    if (widget && widget->grab().save(file)) {
                        out << file << '\n';
                    } else {
                        out << "failed: " << file << '\n';
                        ++failures;
                    }
                    closeEverything();
                }
                settle();
            }
        }
    }
    // The settings were the user's before the pictures.
    lang.setCurrent(language);
    lang.setThemeMode(theme);
    return failures == 0 ? 0 : 1;
}
