#pragma once

#include "import/ProjectLoader.h"
#include "store/CueNotes.h"
#include "model/QLabProject.h"
#include "store/CueSearchTexts.h"
#include "store/PostedChanges.h"

#include <QObject>
#include <QSet>
#include <QUrl>

#include <memory>
#include <optional>

class ImportStateMachine;
class QUndoStack;

// The open project and everything the main window shows about it: selection, filters, the
// unsaved flag, the import machine and the undo history of description changes. Every property
// notifies only on a real change, except project, which notifies on every write (the project and
// the filtered cues are plain getters with change signals: the cue types are recursive, which
// Qt's property system cannot describe). Main thread only.
class ProjectStore : public QObject, public ProjectLoader
{
    Q_OBJECT
    Q_PROPERTY(std::optional<QUuid> selectedCueListID READ selectedCueListID WRITE
            setSelectedCueListID NOTIFY selectedCueListIDChanged)
    Q_PROPERTY(std::optional<QUuid> selectedCueID READ selectedCueID WRITE setSelectedCueID NOTIFY
            selectedCueIDChanged)
    Q_PROPERTY(bool hasUnsavedChanges READ hasUnsavedChanges WRITE setHasUnsavedChanges NOTIFY
            hasUnsavedChangesChanged)
    Q_PROPERTY(bool isImporting READ isImporting WRITE setIsImporting NOTIFY isImportingChanged)
    Q_PROPERTY(QString importStatusText READ importStatusText WRITE setImportStatusText NOTIFY
            importStatusTextChanged)
    Q_PROPERTY(bool showImportSheet READ showImportSheet WRITE setShowImportSheet NOTIFY
            showImportSheetChanged)
    Q_PROPERTY(QUrl projectFileURL READ projectFileURL WRITE setProjectFileURL NOTIFY
            projectFileURLChanged)
    Q_PROPERTY(QString searchText READ searchText WRITE setSearchText NOTIFY searchTextChanged)
    Q_PROPERTY(
        QSet<CueType> typeFilter READ typeFilter WRITE setTypeFilter NOTIFY typeFilterChanged)
    Q_PROPERTY(bool showOnlyWithTriggers READ showOnlyWithTriggers WRITE setShowOnlyWithTriggers
            NOTIFY showOnlyWithTriggersChanged)

public:
    static ProjectStore &shared();
    // An empty project named by the current language.
    static QLabProject makeNewProject();

    explicit ProjectStore(const QLabProject &project, QObject *parent = nullptr);
    ~ProjectStore() override;

    const QLabProject &project() const { return m_project; }
    void setProject(const QLabProject &project);
    std::optional<QUuid> selectedCueListID() const { return m_selectedCueListID; }
    void setSelectedCueListID(const std::optional<QUuid> &id);
    std::optional<QUuid> selectedCueID() const { return m_selectedCueID; }
    void setSelectedCueID(const std::optional<QUuid> &id);
    bool hasUnsavedChanges() const { return m_hasUnsavedChanges; }
    void setHasUnsavedChanges(bool unsaved);
    bool isImporting() const { return m_isImporting; }
    void setIsImporting(bool importing);
    QString importStatusText() const { return m_importStatusText; }
    void setImportStatusText(const QString &text);
    bool showImportSheet() const { return m_showImportSheet; }
    void setShowImportSheet(bool show);
    ImportStateMachine &importMachine() const { return *m_importMachine; }
    // How changes from outside the window (script commands) reach the project.
    PostedChanges &postedChanges() { return m_postedChanges; }
    // Empty when the project has no file yet.
    QUrl projectFileURL() const { return m_projectFileURL; }
    void setProjectFileURL(const QUrl &url);
    QUndoStack &undoManager() const { return *m_undoManager; }
    QString searchText() const { return m_searchText; }
    void setSearchText(const QString &text);
    QSet<CueType> typeFilter() const { return m_typeFilter; }
    void setTypeFilter(const QSet<CueType> &types);
    bool showOnlyWithTriggers() const { return m_showOnlyWithTriggers; }
    void setShowOnlyWithTriggers(bool only);

    std::optional<QLabCueList> selectedCueList() const;
    // The top-level cues of the selected list that pass the search, type and trigger filters, as
    // their positions in that list: the table's rows. Kept until one of those inputs changes.
    const QList<qsizetype> &filteredPositions() const;
    qsizetype filteredCueCount() const { return filteredPositions().size(); }
    const QLabCue &filteredCue(qsizetype row) const;
    // The same cues copied, made when first asked for.
    const QList<QLabCue> &filteredCues() const;
    // Each list's top-level cues, then their direct children: what targets resolve against.
    QList<QLabCue> allCues() const;

    // Each change is made in place and notified once; neither registers an undo step.
    void appendCueList(const QLabCueList &list);
    // False, changing nothing, when the project has no list.
    bool appendCueToLastList(const QLabCue &cue);

    void loadProject(const QLabProject &project) override;
    void newProject();
    // After the project was written to url.
    void markSaved(const QUrl &url);

    // The user's edit of a top-level cue or of a group member; one undo step.
    void updateNotes(const QUuid &cueID, const QString &notes);
    // Describe top-level cues (all, or only those without notes); cues named by the user's markup
    // keep theirs. One undo step; returns the number of cues described.
    int generateDescriptionsForSelectedList(bool onlyEmpty);
    int generateDescriptionsForAllLists(bool onlyEmpty);
    // Over all lists; cues named by the user's markup keep theirs. One undo step; returns the
    // number of cues cleared.
    int clearDescriptions(ClearDescriptionsMode mode);
    // Top-level cues and their direct members, in project order, that have a QLab id and notes;
    // with onlyEmptyQLabNotes only those whose notes were empty in QLab when imported.
    QList<QLabCue> cuesForWriteBack(bool allLists, bool onlyEmptyQLabNotes) const;

signals:
    void projectChanged();
    void selectedCueListIDChanged();
    void selectedCueIDChanged();
    void hasUnsavedChangesChanged();
    void isImportingChanged();
    void importStatusTextChanged();
    void showImportSheetChanged();
    void projectFileURLChanged();
    void searchTextChanged();
    void typeFilterChanged();
    void showOnlyWithTriggersChanged();
    // The filtered cues were replaced: another filter, list or project, or a change that took cues
    // into or out of the filters.
    void filteredCuesChanged();
    // One cue joined the end of the filtered cues.
    void filteredCueAppended();
    // Filtered cues changed in place; the rows hold the same cues as before.
    void filteredCuesEdited();

private:
    friend class EditNotesCommand;
    friend class NotesSnapshotsCommand;

    // Null when the address no longer holds the cue it was made for.
    QLabCue *cueAt(const CueAddress &address);
    // The top-level cue at the address, or the group holding the member there.
    const QLabCue *topLevelCueAt(const CueAddress &address) const;
    // After an undo step wrote the cues at changed.
    void commitNotesChange(const QList<CueAddress> &changed);
    void rebuildSearchTexts();
    bool passesTypeAndTriggerFilters(const QLabCue &cue) const;
    // Whether the cue at position in the filtered list passes every filter.
    bool passesFilters(qsizetype position) const;

    qsizetype selectedListIndex() const;
    int generateDescriptions(qsizetype onlyList, bool onlyEmpty);
    void pushNotesChange(
        QList<CueNotesSnapshot> before, QList<CueNotesSnapshot> after, const QString &actionName);
    // After a change of the project or of the selected list.
    void invalidateFilteredCues();
    void recomputeFilteredPositions() const;
    // After the cues at changed were changed in place.
    void refilterChangedCues(const QList<CueAddress> &changed);

    QLabProject m_project;
    std::optional<QUuid> m_selectedCueListID;
    std::optional<QUuid> m_selectedCueID;
    bool m_hasUnsavedChanges = false;
    bool m_isImporting = false;
    QString m_importStatusText;
    bool m_showImportSheet = false;
    std::unique_ptr<ImportStateMachine> m_importMachine;
    PostedChanges m_postedChanges;
    QUrl m_projectFileURL;
    QUndoStack *m_undoManager;
    QString m_searchText;
    QSet<CueType> m_typeFilter;
    bool m_showOnlyWithTriggers = false;

    mutable QList<qsizetype> m_filteredPositions;
    // The list they are positions in; -1 when no list is selected.
    mutable qsizetype m_filteredList = -1;
    mutable bool m_filteredPositionsValid = false;
    mutable QList<QLabCue> m_filteredCues;
    mutable bool m_filteredCuesValid = false;
    // One for each cue list, in the project's order; built when the project is set.
    QList<CueSearchTexts> m_searchTexts;
    // While above 0, filter changes are gathered into one notification.
    int m_filterBatchDepth = 0;
    bool m_filterChangedInBatch = false;
};
