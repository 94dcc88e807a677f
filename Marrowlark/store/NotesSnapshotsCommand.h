#pragma once

#include "store/CueNotes.h"

#include <QList>
#include <QUndoCommand>

class ProjectStore;

// A generation or clearing as one undo step: the descriptions before and after, cue by cue.
class NotesSnapshotsCommand : public QUndoCommand
{
public:
    NotesSnapshotsCommand(ProjectStore &store, QList<CueNotesSnapshot> before,
        QList<CueNotesSnapshot> after, const QString &actionName);

    void redo() override;
    void undo() override;

private:
    void write(const QList<CueNotesSnapshot> &snapshots);

    ProjectStore &m_store;
    QList<CueNotesSnapshot> m_before;
    QList<CueNotesSnapshot> m_after;
};
