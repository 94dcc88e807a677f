#pragma once

#include "TestSupport.h"
#include "describe/AutoDescriptionGenerator.h"
#include "describe/CueIndex.h"

// The cue's description in the language in force.
inline QString describe(const QLabCue &cue, const CueIndex &targets)
{
    return AutoDescriptionGenerator::shared().generateDescription(cue, targets);
}
