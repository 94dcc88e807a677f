#pragma once

#include "model/QLabCue.h"
#include "qlab/WriteBackResult.h"

#include <functional>

class QLab_NotesWriter;

// Writes the cues' descriptions into their notes in QLab: each cue with a QLab id and notes gives
// one note, the user's marked name when the notes carry one, else the notes. The completion gets
// the result on the main thread: at once when there is nothing to write, else when the writer
// has finished.
void writeBackDescriptions(const QList<QLabCue> &cues, QLab_NotesWriter &writer,
    std::function<void(const WriteBackResult &)> completion);
