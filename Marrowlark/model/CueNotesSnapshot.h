#pragma once

#include "model/CueAddress.h"
#include "model/DescriptionSource.h"

#include <QString>

// One top-level cue's description at one moment, for a bulk undo step.
struct CueNotesSnapshot
{
    CueAddress address;
    QString notes;
    DescriptionSource descriptionSource = DescriptionSource::none;
};
