#pragma once

#include "WorkspaceFixture.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What the handlers of QLab_Importer.txt give for the cues of a fixture workspace, reading the
// fixture as QLab's AppleScript terms would show it: the rows of GetCueDataOSC and the texts of
// TriggerText. The fake osascript answers the import's scripts with these.
//
// The AppleScript view of a fixture cue: q type = "type", q number = "number", q list name =
// "listName" or else "name", notes, pre wait = "preWait", post wait = "postWait", armed, duration,
// cue target = the cue named by "cueTargetID", getLevel row r column c = "levels"[r][c],
// stop target when done = "stopTargetWhenDone", a group's mode from "mode" (QLab's OSC numbers
// or the AppleScript constant's name as text), a MIDI cue's message type, command, channel and
// bytes from "messageType", "status", "channel", "byte1" and "byte2"; the trigger properties under
// their AppleScript names ("hotkey trigger", "midi command", "duck level", ...).
class FixtureCueRows
{
public:
    explicit FixtureCueRows(const WorkspaceFixture::Workspace &workspace);

    // One row per armed cue of the list, as GetCueDataOSC(targetList, oscEnabled).
    QList<QStringList> rows(const WorkspaceFixture::Cue &cueList, bool oscEnabled) const;
    QString triggerText(const WorkspaceFixture::Cue &cue) const;
    // q list name, else q name.
    static QString name(const WorkspaceFixture::Cue &cue);

private:
    using Cue = WorkspaceFixture::Cue;

    QStringList row(const Cue &cue, bool oscEnabled) const;
    QStringList entryLines(
        const Cue &cue, const QString &type, bool topLevel, bool oscEnabled) const;
    QStringList fadeLines(const Cue &cue) const;
    QString membersText(const Cue &group, int depth, bool oscEnabled) const;
    QString nestedGroupEntry(
        const Cue &group, const QString &indent, int depth, bool oscEnabled) const;
    QString targetText(const Cue &cue) const;
    QStringList outputRanges(const Cue &cue) const;
    bool hasOwnTriggers(const Cue &cue) const;
    QList<const Cue *> children(const Cue &cue) const;

    static QString groupLabel(const Cue &group);
    static QString midiMessageText(const Cue &cue);
    static std::optional<double> level(const Cue &cue, int row, int column);

    const WorkspaceFixture::Workspace &m_workspace;
};
