#include "store/EditNotesCommand.h"

#include "model/AppText.h"
#include "store/ProjectStore.h"

EditNotesCommand::EditNotesCommand(
    ProjectStore &store, const CueAddress &address, const QString &newNotes)
    : QUndoCommand(AppText::editDescriptionUndo())
    , m_store(store)
    , m_address(address)
    , m_newNotes(newNotes)
{
    if (const QLabCue *cue = store.cueAt(address)) {
        m_oldNotes = cue->notes;
        m_oldNotesEdited = cue->notesEdited;
        m_oldSource = cue->descriptionSource;
    }
}

void EditNotesCommand::redo()
{
    if (QLabCue *cue = m_store.cueAt(m_address)) {
        cue->notes = m_newNotes;
        cue->notesEdited = true;
        cue->descriptionSource = DescriptionSource::manual;
    }
    m_store.commitNotesChange({ m_address });
}

void EditNotesCommand::undo()
{
    if (QLabCue *cue = m_store.cueAt(m_address)) {
        cue->notes = m_oldNotes;
        cue->notesEdited = m_oldNotesEdited;
        cue->descriptionSource = m_oldSource;
    }
    m_store.commitNotesChange({ m_address });
}
