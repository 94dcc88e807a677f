#pragma once

#include "model/QLabCue.h"

// A cue with the fields the exports print.
inline QLabCue makeCue(CueType type, const QString &number, const QString &name,
    const QString &action = {}, const QString &notes = {}, const QString &trigger = {})
{
    QLabCue cue;
    cue.id = QUuid::createUuid();
    cue.type = type;
    cue.number = number;
    cue.name = name;
    cue.action = action;
    cue.notes = notes;
    cue.trigger = trigger;
    return cue;
}
