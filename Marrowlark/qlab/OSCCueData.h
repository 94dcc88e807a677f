#pragma once

#include <QString>
#include <QStringList>

// One top-level cue as read over OSC, flattened: a group's members live in its action text.
struct OSCCueData
{
    QString type;
    QString number;
    QString name;
    QString action;
    QString notes;
    QString trigger;
    QString qlabCueID;
    double preWait = 0;
    double postWait = 0;
    bool notesRead = false; // QLab told the notes (an empty text included)
    bool waitsRead = false; // QLab told the pre-wait and the post-wait

    // The nine texts of a cue row: type, number, name, action, notes, trigger, QLab cue ID,
    // pre-wait and post-wait with two decimals.
    QStringList rowStrings() const;

    friend bool operator==(const OSCCueData &, const OSCCueData &) = default;
};
