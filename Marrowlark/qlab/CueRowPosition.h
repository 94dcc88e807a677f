#pragma once

#include <QtGlobal>

// Where each text stands in a cue row, the form in which an imported cue travels from QLab's
// answers (over OSC or from the importer script's JSON) to the project.
namespace CueRowPosition {

enum : qsizetype {
    type,
    number,
    name,
    action,
    notes,
    trigger,
    qlabCueID,
    preWait,
    postWait,
    count, // the number of texts in a full row
};

} // namespace CueRowPosition
