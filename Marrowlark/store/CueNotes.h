#pragma once

#include "model/DescriptionSource.h"

#include <QString>
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

// One top-level cue's description at one moment, for a bulk undo step.
struct CueNotesSnapshot
{
    CueAddress address;
    QString notes;
    DescriptionSource descriptionSource = DescriptionSource::none;
};

// Which descriptions clearDescriptions() removes.
enum class ClearDescriptionsMode : quint8 {
    all = 0,
    generated = 1,
    // Descriptions as they came from QLab: the source imported, or notes untouched since the
    // import (the import leaves the source at none).
    imported = 2,
};
