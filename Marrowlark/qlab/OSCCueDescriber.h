#pragma once

#include <QCoroTask>
#include <QJsonValue>
#include <QString>

#include <optional>

class QLab_OSCClient;

// One-line texts about a cue that only OSC requests can give: what it targets, its MIDI
// message, its network message, its timecode. Each asks QLab one request at a time and reads
// QLab 5's answers ("/cueTargetID"; "/messageType" 1 voice with its kind in "/status", 2 MSC,
// 3 SysEx). A failed or unanswered request only leaves its part out; nothing is thrown.
class OSCCueDescriber
{
public:
    // The payload of the first "ok" reply to "/cue_id/" + cueID + property; none when the
    // request fails, nothing says "ok" or the reply has no data.
    static QCoro::Task<std::optional<QJsonValue>> answer(
        QLab_OSCClient &client, QString cueID, QString property);

    // The target's number, else its display name, list name or name; none when nothing names it.
    static QCoro::Task<std::optional<QString>> targetLabel(QLab_OSCClient &client, QString cueID);

    // "MIDI Note On ch1 60/100", "MIDI MSC", or "MIDI" alone.
    static QCoro::Task<QString> describeMIDI(QLab_OSCClient &client, QString cueID);
    // "Network · Patch 2 – /go", or "Network" alone.
    static QCoro::Task<QString> describeNetwork(QLab_OSCClient &client, QString cueID);
    // "Timecode start: 01:00:00:00 1:15", or "Timecode" alone.
    static QCoro::Task<QString> describeTimecode(QLab_OSCClient &client, QString cueID);
};
