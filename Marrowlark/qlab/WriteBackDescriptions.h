#pragma once

#include "model/QLabCue.h"
#include "qlab/WriteBackResult.h"

#include <functional>

class QLab_NotesWriter;

// Writes the cues' descriptions into their notes in QLab: each cue with a QLab id and notes gives
// one note, the user's marked name when the notes carry one, else the notes. The notes go to the
// open workspace named workspaceName (the project's name), or to the only one open. The completion
// gets the result on the main thread: at once when there is nothing to write, else when the writer
// has finished.
void writeBackDescriptions(const QList<QLabCue> &cues, const QString &workspaceName,
    QLab_NotesWriter &writer, std::function<void(const WriteBackResult &)> completion);
