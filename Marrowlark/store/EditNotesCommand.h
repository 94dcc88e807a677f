#pragma once

#include "store/CueNotes.h"
#include "model/DescriptionSource.h"

#include <QUndoCommand>

class ProjectStore;

// The user's edit of one cue's description as one undo step.
class EditNotesCommand : public QUndoCommand
{
public:
    EditNotesCommand(ProjectStore &store, const CueAddress &address, const QString &newNotes);

    void redo() override;
    void undo() override;

private:
    ProjectStore &m_store;
    CueAddress m_address;
    QString m_newNotes;
    QString m_oldNotes;
    bool m_oldNotesEdited = false;
    DescriptionSource m_oldSource = DescriptionSource::none;
};
