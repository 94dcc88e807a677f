#pragma once

#include "store/CueNotes.h"
#include "qlab/WriteBackResult.h"
#include "qlab/WriteBackScope.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>

class CueTableView;
class ExportSettingsView;
class ImportFlowView;
class ImportProgressOverlay;
class ProjectStore;
class QLab_NotesWriter;
class SidebarView;

// The one main window: the cue-list sidebar beside the detail column, and every dialog the window
// raises: generating and clearing descriptions with their result alert, writing descriptions to
// QLab with its progress overlay and result alert, and the prompt that offers to save unsaved
// changes before the project is replaced or the window closes. The bars only ask through the
// request operations; the work runs here on the store and the notes writer. While a dialog about
// the open project or a project file panel waits for the user, the changes that script commands
// post wait too, so that the answer acts on the project it was asked about. Dialogs are named
// "generateDialog", "clearDialog", "writeBackDialog", "generationAlert", "writeBackAlert" and
// "savePrompt"; their buttons are named too. Main thread only.
class MainWindowView : public QMainWindow
{
    Q_OBJECT

public:
    enum class AutoDescriptionScope {
        selected,
        all,
    };
    // Why the save prompt asks: its title says what happens after the answer.
    enum class ReplaceReason {
        import,
        open,
        close,
    };

    MainWindowView(ProjectStore &store, QLab_NotesWriter &notesWriter, QWidget *parent = nullptr);

    ProjectStore &store() const { return m_store; }

    SidebarView &sidebar() const { return *m_sidebar; }
    CueTableView &cueTable() const { return *m_cueTable; }

    // Puts a description the user is still typing into the store, as a click on another row
    // would; every command that reads or replaces the notes calls it first.
    void commitOpenEdit();

    void requestAutoDescription(AutoDescriptionScope scope);
    void requestWriteBack(WriteBackScope scope);
    // Also raised by NotificationCenter::clearDescriptions from anywhere.
    void requestClearDescriptions();
    // Offers to save unsaved changes, then starts a new import and shows the import sheet.
    void requestImport();
    // Offers to save unsaved changes, then asks for a project file and loads it.
    void requestOpenProject();
    // The menu's "Save Project": always asks where; a written file becomes the project's file.
    void saveProject();
    // The export settings dialog, window-modal.
    void requestExport();
    // With unsaved changes asks first ("Save" / "Don't Save" / "Cancel") and proceeds only after
    // a written save or "Don't Save"; without them proceeds at once.
    void confirmReplacingProject(ReplaceReason reason, std::function<void()> proceed);

    void handleWriteBackResult(const WriteBackResult &result);
    bool isWritingBack() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void startImport();
    // The import sheet belongs to the store's flag.
    void presentImportSheet();
    void generateDescriptions(bool onlyEmpty);
    void clearDescriptions(ClearDescriptionsMode mode);
    void writeBack(bool onlyEmpty);
    void showGenerationAlert(const QString &message);
    void showWriteBackAlert(const QString &message);
    // Saves through the panel; calls done(true) once the file is written and marked saved.
    void saveThen(std::function<void(bool written)> done);
    QWidget *buildDetailColumn();

    ProjectStore &m_store;
    QLab_NotesWriter &m_notesWriter;
    AutoDescriptionScope m_autoDescriptionScope = AutoDescriptionScope::selected;
    WriteBackScope m_writeBackScope = WriteBackScope::all;
    QPointer<ImportProgressOverlay> m_overlay;
    SidebarView *m_sidebar;
    CueTableView *m_cueTable;
    ExportSettingsView *m_exportSettings = nullptr;
    // Deletes itself when closed.
    QPointer<ImportFlowView> m_importSheet;
    // Set once the user has answered the save prompt for closing.
    bool m_closeConfirmed = false;
};
