#include "scripting/ScriptableObjects.h"

#include "import/CueRowConverter.h"

QLabCue ScriptableCue::toQLabCue() const
{
    QLabCue cue;
    cue.id = QUuid::createUuid();
    cue.type = cueTypeFromTypeString(cueType);
    cue.number = cueNumber;
    cue.name = name;
    cue.action = action;
    cue.notes = notes;
    cue.trigger = triggerInfo;
    cue.notesEdited = false;
    if (!qlabCueID.isEmpty())
        cue.qlabCueID = qlabCueID;
    cue.originalNotes = notes;
    cue.fullTypeName = cueType;
    // The reader of imported rows: "nan", "inf" or "1e999" would make the project unsavable.
    cue.preWait = CueRowConverter::waitSeconds(preWaitStr);
    cue.postWait = CueRowConverter::waitSeconds(postWaitStr);
    cue.descriptionSource = DescriptionSource::none;
    return cue;
}

QString newScriptableID()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}
