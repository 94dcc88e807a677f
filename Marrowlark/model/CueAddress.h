#pragma once

#include <QUuid>

// Where a cue stood when an undo step was made: list, top-level cue and, for a member of a group,
// child position; with the cue's id, so that a step never writes into a different cue.
struct CueAddress
{
    qsizetype listIndex = -1;
    qsizetype cueIndex = -1;
    qsizetype childIndex = -1; // -1: the top-level cue itself
    QUuid cueID;
};
