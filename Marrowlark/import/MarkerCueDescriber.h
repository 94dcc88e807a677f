#pragma once

#include "qlab/OSCCueDescriber.h"

#include <QStringList>

class ImportQueries;

// The describer of the cues that markers name, asking through the import run's questions: a
// cancelled run or a dropped connection ends the list instead of leaving parts out. Adds what
// only markers need: targets as plain text, list names and devamp lines.
class MarkerCueDescriber : public OSCCueDescriber
{
public:
    explicit MarkerCueDescriber(const ImportQueries &queries);

    // The target's number, else its display name, list name or name; empty when none is known.
    QCoro::Task<QString> resolveTarget(QString cueID) const;
    // The cue's own name as QLab lists it, else its name; empty when none is known.
    QCoro::Task<QString> fetchCueListName(QString cueID) const;
    QCoro::Task<QString> describeDevamp(QString cueID) const;
};
