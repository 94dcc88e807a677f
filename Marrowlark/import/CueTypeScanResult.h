#pragma once

#include "qlab/OSCCueData.h"

#include <QList>

// How many cues of each kind a cue list holds, for the time its import will take.
struct CueTypeScanResult
{
    int total = 0;
    int audio = 0;
    int video = 0;
    int fade = 0;
    int group = 0;
    int midi = 0;
    int other = 0;

    // Counted by the first word of each cue's type, case included ("Group (Timeline)" is a
    // group, "audio" is other).
    static CueTypeScanResult scan(const QList<OSCCueData> &cues);

    // Seconds: fades and media cost queries per output, groups and MIDI a few; at least 2 s.
    double estimatedSeconds() const;

    friend bool operator==(const CueTypeScanResult &, const CueTypeScanResult &) = default;
};
