#include "store/NotesSnapshotsCommand.h"

#include "store/ProjectStore.h"

NotesSnapshotsCommand::NotesSnapshotsCommand(ProjectStore &store, QList<CueNotesSnapshot> before,
    QList<CueNotesSnapshot> after, const QString &actionName)
    : QUndoCommand(actionName)
    , m_store(store)
    , m_before(std::move(before))
    , m_after(std::move(after))
{ }

void NotesSnapshotsCommand::redo()
{
    write(m_after);
}

void NotesSnapshotsCommand::undo()
{
    write(m_before);
}

void NotesSnapshotsCommand::write(const QList<CueNotesSnapshot> &snapshots)
{
    // notesEdited belongs to the user's own edits; bulk steps leave it alone.
    QList<CueAddress> changed;
    changed.reserve(snapshots.size());
    for (const CueNotesSnapshot &snapshot : snapshots) {
        if (QLabCue *cue = m_store.cueAt(snapshot.address)) {
            cue->notes = snapshot.notes;
            cue->descriptionSource = snapshot.descriptionSource;
            changed.append(snapshot.address);
        }
    }
    m_store.commitNotesChange(changed);
}
