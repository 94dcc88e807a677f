#pragma once

#include "qlab/OSCCueData.h"

#include <QCoroTask>
#include <QList>

class QLab_OSCClient;

// Completes the flat records of one cue list with what "/cueLists" does not say, asking QLab
// cue by cue, one request at a time: notes and waits for every cue; the target of start, stop,
// pause, load, reset, go-to and devamp cues; the message of MIDI cues; the mode of groups and
// fades; start time and length of timecode cues; patch and text of network cues. A request that
// fails or gets no "ok" leaves its field as it was; nothing is thrown. Notes and waits are asked
// for a second time, each alone, when the first answer does not tell them: a record whose notes
// or waits QLab never told keeps notesRead or waitsRead false, so that nobody takes them for
// empty or zero. Records whose QLab ID cannot be put into an address are left alone.
class OSCCueEnricher
{
public:
    static constexpr std::chrono::milliseconds valuesForKeysTimeout { 1000 };
    // How long a question asked again, alone, waits for its answer.
    static constexpr std::chrono::milliseconds retryTimeout { 5000 };

    static QCoro::Task<QList<OSCCueData>> enrichCueData(
        QLab_OSCClient &client, QList<OSCCueData> cues);
};
