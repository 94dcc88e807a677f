#pragma once

#include <QCoroTask>
#include <QJsonValue>
#include <QString>

#include <optional>

class CueQuestions;

// One-line texts about a cue that only OSC requests can give: what it targets, its MIDI
// message, its network message, its timecode. It reads QLab 5's answers ("/cueTargetID";
// "/messageType" 1 voice with its kind in "/status", 2 MSC, 3 SysEx). An unanswered question only
// leaves its part out; what a failed request means is the questions' business.
class OSCCueDescriber
{
public:
    explicit OSCCueDescriber(const CueQuestions &questions)
        : m_questions(questions)
    { }

    // The target's number, else its display name, list name or name; none when nothing names it.
    QCoro::Task<std::optional<QString>> targetLabel(QString cueID) const;

    // "MIDI Note On ch1 60/100", "MIDI MSC GO", or "MIDI" alone. Channel and data bytes belong to
    // voice messages; an MSC message shows its command instead, as QLab names it.
    QCoro::Task<QString> describeMIDI(QString cueID) const;
    // "Group (Timeline)" from the group's "/mode"; none when QLab names no mode.
    QCoro::Task<std::optional<QString>> groupType(QString cueID) const;
    // "Wait: 3s" from the cue's "/duration"; "Wait" without one.
    QCoro::Task<QString> describeWait(QString cueID) const;
    // "Network · Patch 2 – /go", or "Network" alone.
    QCoro::Task<QString> describeNetwork(QString cueID) const;
    // "Timecode start: 01:00:00:00 1:15", or "Timecode" alone.
    QCoro::Task<QString> describeTimecode(QString cueID) const;

    // Whether "/messageType" names a voice message, whose kind is in "/status".
    static bool isVoiceMessage(const std::optional<QJsonValue> &messageType);
    // The kind of MIDI message, or the empty text when QLab did not say.
    static QString midiKind(
        const std::optional<QJsonValue> &messageType, const std::optional<QJsonValue> &status);
    // QLab's name of an MSC command number; empty for a number it does not name.
    static QString mscCommandName(qint64 command);
    // A timecode cue's length, "1:05" or "1:02:05"; empty when not a positive number of seconds.
    static QString clockText(double seconds);

protected:
    const CueQuestions &questions() const { return m_questions; }

private:
    const CueQuestions &m_questions;
};
