#include "store/ProjectStore.h"

#include "describe/AutoDescriptionGenerator.h"
#include "describe/CueIndex.h"
#include "import/ImportPipeline.h"
#include "import/ImportStateMachine.h"
#include "model/AppText.h"
#include "store/EditNotesCommand.h"
#include "store/NotesSnapshotsCommand.h"

#include <QUndoStack>

#include <algorithm>

namespace {

// A group whose members alone have triggers carries a placeholder in place of a trigger of its
// own. The import writes "(triggers inside)", and that counts as a trigger, so the group stays
// listed beside its members; only a trigger text of exactly "(triggers внутри)" is taken for the
// placeholder and left out.
bool hasTrigger(const QLabCue &cue)
{
    return !cue.trigger.isEmpty() && cue.trigger != u"(triggers внутри)";
}

bool hasNameMarkup(const QLabCue &cue)
{
    return nameMarkup(cue.notes).has_value();
}

bool isClearedBy(ClearDescriptionsMode mode, const QLabCue &cue)
{
    switch (mode) {
    case ClearDescriptionsMode::all:
        return true;
    case ClearDescriptionsMode::generated:
        return cue.descriptionSource == DescriptionSource::generated;
    case ClearDescriptionsMode::imported:
        if (cue.descriptionSource == DescriptionSource::imported)
            return true;
        // A fresh import leaves the source at none; its notes are then still QLab's own.
        return cue.descriptionSource == DescriptionSource::none && cue.originalNotes
            && !cue.originalNotes->isEmpty() && cue.notes == *cue.originalNotes;
    }
    return false;
}

bool qualifiesForWriteBack(const QLabCue &cue, bool onlyEmptyQLabNotes)
{
    if (!cue.qlabCueID || cue.qlabCueID->isEmpty() || cue.notes.isEmpty())
        return false;
    return !onlyEmptyQLabNotes || !cue.originalNotes || cue.originalNotes->isEmpty();
}

} // namespace

ProjectStore &ProjectStore::shared()
{
    static ProjectStore *store = [] {
        auto *shared = new ProjectStore(makeNewProject());
        ImportPipeline::install(shared->importMachine());
        return shared;
    }();
    return *store;
}

QLabProject ProjectStore::makeNewProject()
{
    return QLabProject::created(AppText::newProjectName());
}

ProjectStore::ProjectStore(const QLabProject &project, QObject *parent)
    : QObject(parent)
    , m_project(project)
    , m_importMachine(std::make_unique<ImportStateMachine>(*this))
    , m_undoManager(new QUndoStack(this))
{
    if (!m_project.cueLists.isEmpty())
        m_selectedCueListID = m_project.cueLists.first().id;
    rebuildSearchTexts();
}

ProjectStore::~ProjectStore() = default;

void ProjectStore::setProject(const QLabProject &project)
{
    m_project = project;
    rebuildSearchTexts();
    emit projectChanged();
    invalidateFilteredCues();
}

void ProjectStore::appendCueList(const QLabCueList &list)
{
    m_project.cueLists.append(list);
    m_searchTexts.append(CueSearchTexts(list.cues));
    emit projectChanged();
    // The rows change only when the selection named the list before it existed.
    if (list.id == m_selectedCueListID)
        invalidateFilteredCues();
}

bool ProjectStore::appendCueToLastList(const QLabCue &cue)
{
    if (m_project.cueLists.isEmpty())
        return false;
    // Scripts build long lists cue by cue: the new cue alone is filtered, against rows made
    // before the list grew.
    filteredPositions();
    const qsizetype list = m_project.cueLists.size() - 1;
    QList<QLabCue> &cues = m_project.cueLists[list].cues;
    cues.append(cue);
    m_searchTexts[list].appendCue(cue);
    const bool joins = list == m_filteredList && passesFilters(cues.size() - 1);
    if (joins) {
        m_filteredPositions.append(cues.size() - 1);
        if (m_filteredCuesValid)
            m_filteredCues.append(cue);
    }
    emit projectChanged();
    if (joins)
        emit filteredCueAppended();
    return true;
}

void ProjectStore::setSelectedCueListID(const std::optional<QUuid> &id)
{
    if (id == m_selectedCueListID)
        return;
    m_selectedCueListID = id;
    emit selectedCueListIDChanged();
    invalidateFilteredCues();
}

void ProjectStore::setSelectedCueID(const std::optional<QUuid> &id)
{
    if (id == m_selectedCueID)
        return;
    m_selectedCueID = id;
    emit selectedCueIDChanged();
}

void ProjectStore::setHasUnsavedChanges(bool unsaved)
{
    if (unsaved == m_hasUnsavedChanges)
        return;
    m_hasUnsavedChanges = unsaved;
    emit hasUnsavedChangesChanged();
}

void ProjectStore::setIsImporting(bool importing)
{
    if (importing == m_isImporting)
        return;
    m_isImporting = importing;
    emit isImportingChanged();
}

void ProjectStore::setImportStatusText(const QString &text)
{
    if (text == m_importStatusText)
        return;
    m_importStatusText = text;
    emit importStatusTextChanged();
}

void ProjectStore::setShowImportSheet(bool show)
{
    if (show == m_showImportSheet)
        return;
    m_showImportSheet = show;
    emit showImportSheetChanged();
}

void ProjectStore::setProjectFileURL(const QUrl &url)
{
    if (url == m_projectFileURL)
        return;
    m_projectFileURL = url;
    emit projectFileURLChanged();
}

void ProjectStore::setSearchText(const QString &text)
{
    if (text == m_searchText)
        return;
    m_searchText = text;
    emit searchTextChanged();
    invalidateFilteredCues();
}

void ProjectStore::setTypeFilter(const QSet<CueType> &types)
{
    if (types == m_typeFilter)
        return;
    m_typeFilter = types;
    emit typeFilterChanged();
    invalidateFilteredCues();
}

void ProjectStore::setShowOnlyWithTriggers(bool only)
{
    if (only == m_showOnlyWithTriggers)
        return;
    m_showOnlyWithTriggers = only;
    emit showOnlyWithTriggersChanged();
    invalidateFilteredCues();
}

qsizetype ProjectStore::selectedListIndex() const
{
    if (!m_selectedCueListID)
        return -1;
    for (qsizetype i = 0; i < m_project.cueLists.size(); ++i) {
        if (m_project.cueLists[i].id == *m_selectedCueListID)
            return i;
    }
    return -1;
}

std::optional<QLabCueList> ProjectStore::selectedCueList() const
{
    const qsizetype index = selectedListIndex();
    if (index < 0)
        return std::nullopt;
    return m_project.cueLists[index];
}

const QList<qsizetype> &ProjectStore::filteredPositions() const
{
    if (!m_filteredPositionsValid)
        recomputeFilteredPositions();
    return m_filteredPositions;
}

const QLabCue &ProjectStore::filteredCue(qsizetype row) const
{
    const qsizetype position = filteredPositions()[row];
    return m_project.cueLists[m_filteredList].cues[position];
}

const QList<QLabCue> &ProjectStore::filteredCues() const
{
    const QList<qsizetype> &positions = filteredPositions();
    if (!m_filteredCuesValid) {
        m_filteredCues.clear();
        m_filteredCues.reserve(positions.size());
        for (const qsizetype position : positions)
            m_filteredCues.append(m_project.cueLists[m_filteredList].cues[position]);
        m_filteredCuesValid = true;
    }
    return m_filteredCues;
}

bool ProjectStore::passesTypeAndTriggerFilters(const QLabCue &cue) const
{
    return !m_typeFilter.contains(cue.type) && (!m_showOnlyWithTriggers || hasTrigger(cue));
}

bool ProjectStore::passesFilters(qsizetype position) const
{
    const QList<QLabCue> &cues = m_project.cueLists[m_filteredList].cues;
    return passesTypeAndTriggerFilters(cues[position])
        && (m_searchText.isEmpty()
            || m_searchTexts[m_filteredList].matches(cues, position, m_searchText));
}

void ProjectStore::recomputeFilteredPositions() const
{
    m_filteredPositions.clear();
    m_filteredPositionsValid = true;
    m_filteredCuesValid = false;
    m_filteredList = selectedListIndex();
    if (m_filteredList < 0)
        return;
    const QList<QLabCue> &cues = m_project.cueLists[m_filteredList].cues;
    QList<bool> found;
    if (!m_searchText.isEmpty())
        found = m_searchTexts[m_filteredList].matching(cues, m_searchText);
    for (qsizetype i = 0; i < cues.size(); ++i) {
        if ((found.isEmpty() || found[i]) && passesTypeAndTriggerFilters(cues[i]))
            m_filteredPositions.append(i);
    }
}

void ProjectStore::rebuildSearchTexts()
{
    m_searchTexts.clear();
    m_searchTexts.reserve(m_project.cueLists.size());
    for (const QLabCueList &list : m_project.cueLists)
        m_searchTexts.append(CueSearchTexts(list.cues));
}

void ProjectStore::invalidateFilteredCues()
{
    m_filteredPositionsValid = false;
    m_filteredCuesValid = false;
    if (m_filterBatchDepth > 0)
        m_filterChangedInBatch = true;
    else
        emit filteredCuesChanged();
}

QList<QLabCue> ProjectStore::allCues() const
{
    QList<QLabCue> cues;
    cues.reserve(m_project.totalCueCount());
    for (const QLabCueList &list : m_project.cueLists) {
        cues.append(list.cues);
        for (const QLabCue &cue : list.cues)
            cues.append(cue.children);
    }
    return cues;
}

void ProjectStore::loadProject(const QLabProject &project)
{
    ++m_filterBatchDepth;
    setProject(project);
    setSelectedCueListID(project.cueLists.isEmpty()
            ? std::nullopt
            : std::optional<QUuid>(project.cueLists.first().id));
    setSelectedCueID(std::nullopt);
    setHasUnsavedChanges(false);
    setSearchText({});
    setTypeFilter({});
    setShowOnlyWithTriggers(false);
    m_undoManager->clear();
    --m_filterBatchDepth;
    if (std::exchange(m_filterChangedInBatch, false))
        emit filteredCuesChanged();
}

void ProjectStore::newProject()
{
    loadProject(makeNewProject());
    setProjectFileURL({});
}

void ProjectStore::markSaved(const QUrl &url)
{
    setProjectFileURL(url);
    setHasUnsavedChanges(false);
}

const QLabCue *ProjectStore::topLevelCueAt(const CueAddress &address) const
{
    if (address.listIndex < 0 || address.listIndex >= m_project.cueLists.size())
        return nullptr;
    const QList<QLabCue> &cues = m_project.cueLists[address.listIndex].cues;
    if (address.cueIndex < 0 || address.cueIndex >= cues.size())
        return nullptr;
    return &cues[address.cueIndex];
}

QLabCue *ProjectStore::cueAt(const CueAddress &address)
{
    if (address.listIndex < 0 || address.listIndex >= m_project.cueLists.size())
        return nullptr;
    QList<QLabCue> &cues = m_project.cueLists[address.listIndex].cues;
    if (address.cueIndex < 0 || address.cueIndex >= cues.size())
        return nullptr;
    QLabCue *cue = &cues[address.cueIndex];
    if (address.childIndex >= 0) {
        if (address.childIndex >= cue->children.size())
            return nullptr;
        cue = &cue->children[address.childIndex];
    }
    return cue->id == address.cueID ? cue : nullptr;
}

void ProjectStore::commitNotesChange(const QList<CueAddress> &changed)
{
    for (const CueAddress &address : changed) {
        if (topLevelCueAt(address))
            m_searchTexts[address.listIndex].markChanged(address.cueIndex);
    }
    emit projectChanged();
    refilterChangedCues(changed);
    setHasUnsavedChanges(true);
}

void ProjectStore::refilterChangedCues(const QList<CueAddress> &changed)
{
    if (!m_filteredPositionsValid) {
        invalidateFilteredCues();
        return;
    }
    bool shown = false;
    for (const CueAddress &address : changed) {
        if (address.listIndex != m_filteredList || !topLevelCueAt(address))
            continue;
        shown = true;
        const bool wasIn = std::binary_search(
            m_filteredPositions.cbegin(), m_filteredPositions.cend(), address.cueIndex);
        if (passesFilters(address.cueIndex) != wasIn) {
            invalidateFilteredCues();
            return;
        }
    }
    if (shown) {
        m_filteredCuesValid = false;
        emit filteredCuesEdited();
    }
}

void ProjectStore::updateNotes(const QUuid &cueID, const QString &notes)
{
    for (qsizetype l = 0; l < m_project.cueLists.size(); ++l) {
        const QList<QLabCue> &cues = m_project.cueLists[l].cues;
        for (qsizetype c = 0; c < cues.size(); ++c) {
            CueAddress address { l, c, -1, cueID };
            if (cues[c].id != cueID) {
                const QList<QLabCue> &children = cues[c].children;
                const auto child = std::find_if(children.cbegin(), children.cend(),
                    [&](const QLabCue &member) { return member.id == cueID; });
                if (child == children.cend())
                    continue;
                address.childIndex = child - children.cbegin();
            }
            m_undoManager->push(new EditNotesCommand(*this, address, notes));
            return;
        }
    }
}

int ProjectStore::generateDescriptionsForSelectedList(bool onlyEmpty)
{
    const qsizetype index = selectedListIndex();
    return index < 0 ? 0 : generateDescriptions(index, onlyEmpty);
}

int ProjectStore::generateDescriptionsForAllLists(bool onlyEmpty)
{
    return generateDescriptions(-1, onlyEmpty);
}

int ProjectStore::generateDescriptions(qsizetype onlyList, bool onlyEmpty)
{
    // Every cue of the run is described against the project as it stood before the run.
    const CueIndex targets(allCues());
    const AutoDescriptionGenerator &generator = AutoDescriptionGenerator::shared();
    QList<CueNotesSnapshot> before;
    QList<CueNotesSnapshot> after;
    for (qsizetype l = 0; l < m_project.cueLists.size(); ++l) {
        if (onlyList >= 0 && l != onlyList)
            continue;
        const QList<QLabCue> &cues = m_project.cueLists[l].cues;
        for (qsizetype c = 0; c < cues.size(); ++c) {
            const QLabCue &cue = cues[c];
            if (hasNameMarkup(cue) || (onlyEmpty && !cue.notes.isEmpty()))
                continue;
            QString text = generator.generateDescription(cue, targets);
            if (text.isEmpty())
                continue;
            const CueAddress address { l, c, -1, cue.id };
            before.append({ address, cue.notes, cue.descriptionSource });
            after.append({ address, std::move(text), DescriptionSource::generated });
        }
    }
    const int count = int(after.size());
    if (count > 0)
        pushNotesChange(std::move(before), std::move(after), AppText::generateDescriptionsUndo());
    return count;
}

int ProjectStore::clearDescriptions(ClearDescriptionsMode mode)
{
    QList<CueNotesSnapshot> before;
    QList<CueNotesSnapshot> after;
    for (qsizetype l = 0; l < m_project.cueLists.size(); ++l) {
        const QList<QLabCue> &cues = m_project.cueLists[l].cues;
        for (qsizetype c = 0; c < cues.size(); ++c) {
            const QLabCue &cue = cues[c];
            if (hasNameMarkup(cue) || cue.notes.isEmpty() || !isClearedBy(mode, cue))
                continue;
            const CueAddress address { l, c, -1, cue.id };
            before.append({ address, cue.notes, cue.descriptionSource });
            after.append({ address, QString(), DescriptionSource::none });
        }
    }
    const int count = int(after.size());
    if (count > 0)
        pushNotesChange(std::move(before), std::move(after), AppText::clearDescriptionsUndo());
    return count;
}

void ProjectStore::pushNotesChange(
    QList<CueNotesSnapshot> before, QList<CueNotesSnapshot> after, const QString &actionName)
{
    m_undoManager->push(
        new NotesSnapshotsCommand(*this, std::move(before), std::move(after), actionName));
}

QList<QLabCue> ProjectStore::cuesForWriteBack(bool allLists, bool onlyEmptyQLabNotes) const
{
    QList<QLabCue> result;
    const qsizetype selected = selectedListIndex();
    if (!allLists && selected < 0)
        return result;
    for (qsizetype l = 0; l < m_project.cueLists.size(); ++l) {
        if (!allLists && l != selected)
            continue;
        for (const QLabCue &cue : m_project.cueLists[l].cues) {
            if (qualifiesForWriteBack(cue, onlyEmptyQLabNotes))
                result.append(cue);
            for (const QLabCue &child : cue.children) {
                if (qualifiesForWriteBack(child, onlyEmptyQLabNotes))
                    result.append(child);
            }
        }
    }
    return result;
}
