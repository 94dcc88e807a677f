#include "qlab/OSCCueDescriber.h"

#include "qlab/CueQuestions.h"
#include "qlab/OSCCueListReader.h"
#include "qlab/OSCValue.h"

#include <QHash>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

std::optional<qint64> wholeNumber(const std::optional<QJsonValue> &answer)
{
    const auto number = OSCValue::doubleValue(answer);
    return number ? OSCValue::wholePart(*number) : std::nullopt;
}

QString groupModeLabel(qint64 mode)
{
    switch (mode) {
    case 0:
        return u"Cue List"_s;
    case 1:
        return u"Start first and enter"_s;
    case 2:
        return u"Start first and go to next"_s;
    case 3:
        return u"Timeline"_s;
    case 4:
        return u"Start random"_s;
    default:
        return QString();
    }
}

constexpr qint64 voiceMessage = 1;
constexpr qint64 mscMessage = 2;
constexpr qint64 sysExMessage = 3;

} // namespace

QCoro::Task<std::optional<QString>> OSCCueDescriber::targetLabel(QString cueID) const
{
    const auto number = OSCValue::text(co_await m_questions.answer(cueID, u"/cueTargetNumber"_s));
    if (number)
        co_return number;
    const auto targetID = OSCValue::text(co_await m_questions.answer(cueID, u"/cueTargetID"_s));
    if (!targetID)
        co_return std::nullopt;
    static const QStringList nameProperties { u"/displayName"_s, u"/listName"_s, u"/name"_s };
    for (const QString &property : nameProperties) {
        const auto name = OSCValue::text(co_await m_questions.answer(*targetID, property));
        if (name)
            co_return name;
    }
    co_return std::nullopt;
}

QCoro::Task<QString> OSCCueDescriber::describeMIDI(QString cueID) const
{
    QStringList parts { u"MIDI"_s };
    const auto messageType = co_await m_questions.answer(cueID, u"/messageType"_s);
    std::optional<QJsonValue> status;
    if (isVoiceMessage(messageType))
        status = co_await m_questions.answer(cueID, u"/status"_s);
    const QString kind = midiKind(messageType, status);
    if (!kind.isEmpty())
        parts << kind;
    const std::optional<qint64> type = OSCValue::integerValue(messageType);
    if (type == mscMessage) {
        const auto command = wholeNumber(co_await m_questions.answer(cueID, u"/command"_s));
        const QString name = command ? mscCommandName(*command) : QString();
        if (!name.isEmpty())
            parts << name;
    }
    if (type == mscMessage || type == sysExMessage)
        co_return parts.join(u' ');
    const auto channel = wholeNumber(co_await m_questions.answer(cueID, u"/channel"_s));
    if (channel)
        parts << u"ch"_s + QString::number(*channel);
    const auto byte1 = wholeNumber(co_await m_questions.answer(cueID, u"/byte1"_s));
    if (!byte1)
        co_return parts.join(u' ');
    const auto byte2 = wholeNumber(co_await m_questions.answer(cueID, u"/byte2"_s));
    parts << QString::number(*byte1) + (byte2 ? u'/' + QString::number(*byte2) : QString());
    co_return parts.join(u' ');
}

QCoro::Task<std::optional<QString>> OSCCueDescriber::groupType(QString cueID) const
{
    // A number, or its whole part; texts do not count.
    const auto answer = co_await m_questions.answer(cueID, u"/mode"_s);
    if (!answer || !answer->isDouble())
        co_return std::nullopt;
    const auto mode = OSCValue::wholePart(answer->toDouble());
    const QString label = mode ? groupModeLabel(*mode) : QString();
    if (label.isEmpty())
        co_return std::nullopt;
    co_return u"Group ("_s + label + u')';
}

QCoro::Task<QString> OSCCueDescriber::describeWait(QString cueID) const
{
    const std::optional<double> seconds = co_await m_questions.duration(cueID);
    co_return OSCCueListReader::waitText(seconds);
}

QCoro::Task<QString> OSCCueDescriber::describeNetwork(QString cueID) const
{
    QStringList parts { u"Network"_s };
    const auto patch = wholeNumber(co_await m_questions.answer(cueID, u"/networkPatchNumber"_s));
    if (patch)
        parts << u"\u00B7 Patch "_s + QString::number(*patch);
    const auto custom = OSCValue::text(co_await m_questions.answer(cueID, u"/customString"_s));
    if (custom)
        parts << u"\u2013 "_s + *custom;
    co_return parts.join(u' ');
}

QCoro::Task<QString> OSCCueDescriber::describeTimecode(QString cueID) const
{
    QStringList parts { u"Timecode"_s };
    const auto start = OSCValue::text(co_await m_questions.answer(cueID, u"/startTime"_s));
    if (start)
        parts << u"start: "_s + *start;
    const std::optional<double> duration = co_await m_questions.duration(cueID);
    const QString clock = clockText(duration.value_or(0));
    if (!clock.isEmpty())
        parts << clock;
    co_return parts.join(u' ');
}

bool OSCCueDescriber::isVoiceMessage(const std::optional<QJsonValue> &messageType)
{
    return OSCValue::integerValue(messageType) == voiceMessage;
}

QString OSCCueDescriber::mscCommandName(qint64 command)
{
    static const QHash<qint64, QString> names { { 1, u"GO"_s }, { 2, u"STOP"_s },
        { 3, u"RESUME"_s }, { 4, u"TIMED_GO"_s }, { 5, u"LOAD"_s }, { 6, u"SET"_s },
        { 7, u"FIRE"_s }, { 8, u"ALL_OFF"_s }, { 9, u"RESTORE"_s }, { 10, u"RESET"_s },
        { 11, u"GO_OFF"_s }, { 16, u"GO/JAM_CLOCK"_s }, { 17, u"STANDBY_+"_s },
        { 18, u"STANDBY_-"_s }, { 19, u"SEQUENCE_+"_s }, { 20, u"SEQUENCE_-"_s },
        { 21, u"START_CLOCK"_s }, { 22, u"STOP_CLOCK"_s }, { 23, u"ZERO_CLOCK"_s },
        { 24, u"SET_CLOCK"_s }, { 25, u"MTC_CHASE_ON"_s }, { 26, u"MTC_CHASE_OFF"_s },
        { 27, u"OPEN_CUE_LIST"_s }, { 28, u"CLOSE_CUE_LIST"_s }, { 29, u"OPEN_CUE_PATH"_s },
        { 30, u"CLOSE_CUE_PATH"_s } };
    return names.value(command);
}

QString OSCCueDescriber::midiKind(
    const std::optional<QJsonValue> &messageType, const std::optional<QJsonValue> &status)
{
    if (messageType && messageType->isString())
        return messageType->toString();
    const std::optional<qint64> type = OSCValue::integerValue(messageType);
    if (!type)
        return {};
    switch (*type) {
    case 1:
        break;
    case 2:
        return u"MSC"_s;
    case 3:
        return u"SysEx"_s;
    default:
        return u"cmd "_s + QString::number(*type);
    }
    static const QStringList voiceKinds { u"Note Off"_s, u"Note On"_s, u"Key Pressure"_s,
        u"Control Change"_s, u"Program Change"_s, u"Channel Pressure"_s, u"Pitch Bend"_s };
    const std::optional<qint64> kind = OSCValue::integerValue(status);
    if (!kind)
        return {};
    return *kind >= 0 && *kind < voiceKinds.size() ? voiceKinds.at(*kind)
                                                   : u"cmd "_s + QString::number(*kind);
}

QString OSCCueDescriber::clockText(double seconds)
{
    const std::optional<qint64> total = seconds > 0 ? OSCValue::wholePart(seconds) : std::nullopt;
    if (!total)
        return {};
    if (*total < 3600)
        return QString::asprintf("%lld:%02lld", *total / 60, *total % 60);
    return QString::asprintf("%lld:%02lld:%02lld", *total / 3600, *total % 3600 / 60, *total % 60);
}
