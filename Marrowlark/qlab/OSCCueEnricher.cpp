#include "qlab/OSCCueEnricher.h"

#include "qlab/OSCClientError.h"
#include "qlab/OSCCueAddress.h"
#include "qlab/OSCValue.h"
#include "qlab/QLab_OSCClient.h"

#include <QJsonObject>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

using Answer = std::optional<QJsonValue>;

// The payload of the first "ok" reply; none when the request fails or nothing says "ok".
QCoro::Task<Answer> ask(QLab_OSCClient &client, QString cueID, QString property)
{
    try {
        const auto reply = QLab_OSCClient::firstOK(co_await client.queryCue(cueID, property));
        co_return reply ? reply->payload : std::nullopt;
    } catch (const OSCClientError &) {
        co_return std::nullopt;
    }
}

std::optional<qint64> wholeNumber(const Answer &answer)
{
    const auto number = OSCValue::doubleValue(answer);
    return number ? OSCValue::wholePart(*number) : std::nullopt;
}

// A number answer by its whole part; texts do not count.
std::optional<qint64> numericMode(const Answer &answer)
{
    if (!answer || !answer->isDouble())
        return std::nullopt;
    return OSCValue::wholePart(answer->toDouble());
}

QCoro::Task<> applyNotesAndWaits(QLab_OSCClient &client, OSCCueData &cue)
{
    const auto address = OSCCueAddress::make(cue.qlabCueID, u"/valuesForKeys");
    if (!address)
        co_return;
    std::optional<QLabOSCResponse> reply;
    try {
        reply = QLab_OSCClient::firstOK(co_await client.sendQuery(
            OSCMessage(*address).addString(u"[\"notes\",\"preWait\",\"postWait\"]"_s),
            OSCCueEnricher::valuesForKeysTimeout));
    } catch (const OSCClientError &) {
        co_return;
    }
    if (!reply || !reply->payload || !reply->payload->isObject())
        co_return;
    const QJsonObject values = reply->payload->toObject();
    if (const auto notes = OSCValue::text(values.value(u"notes")))
        cue.notes = *notes;
    if (const QJsonValue preWait = values.value(u"preWait"); preWait.isDouble())
        cue.preWait = preWait.toDouble();
    if (const QJsonValue postWait = values.value(u"postWait"); postWait.isDouble())
        cue.postWait = postWait.toDouble();
}

// The target's number, else the display name, list name or name of the target by its ID.
QCoro::Task<std::optional<QString>> targetLabel(QLab_OSCClient &client, QString cueID)
{
    if (const auto number = OSCValue::text(co_await ask(client, cueID, u"/cueTargetNumber"_s)))
        co_return number;
    const auto targetID = OSCValue::text(co_await ask(client, cueID, u"/cueTargetID"_s));
    if (!targetID || !OSCCueAddress::isSendable(*targetID))
        co_return std::nullopt;
    const QStringList nameProperties { u"/displayName"_s, u"/listName"_s, u"/name"_s };
    for (const QString &property : nameProperties) {
        if (const auto label = OSCValue::text(co_await ask(client, *targetID, property)))
            co_return label;
    }
    co_return std::nullopt;
}

QString voiceMessageName(qint64 status)
{
    switch (status) {
    case 0:
        return u"Note Off"_s;
    case 1:
        return u"Note On"_s;
    case 2:
        return u"Key Pressure"_s;
    case 3:
        return u"Control Change"_s;
    case 4:
        return u"Program Change"_s;
    case 5:
        return u"Channel Pressure"_s;
    case 6:
        return u"Pitch Bend"_s;
    default:
        return u"cmd "_s + QString::number(status);
    }
}

QCoro::Task<QString> midiAction(QLab_OSCClient &client, QString cueID)
{
    QStringList parts { u"MIDI"_s };
    const Answer messageType = co_await ask(client, cueID, u"/messageType"_s);
    if (messageType && messageType->isString()) {
        if (!messageType->toString().isEmpty())
            parts.append(messageType->toString());
    } else if (const auto type = OSCValue::integerValue(messageType)) {
        if (*type == 1) {
            if (const auto status
                = OSCValue::integerValue(co_await ask(client, cueID, u"/status"_s)))
                parts.append(voiceMessageName(*status));
        } else if (*type == 2) {
            parts.append(u"MSC"_s);
        } else if (*type == 3) {
            parts.append(u"SysEx"_s);
        } else {
            parts.append(u"cmd "_s + QString::number(*type));
        }
    }
    if (const auto channel = wholeNumber(co_await ask(client, cueID, u"/channel"_s)))
        parts.append(u"ch"_s + QString::number(*channel));
    if (const auto byte1 = wholeNumber(co_await ask(client, cueID, u"/byte1"_s))) {
        QString bytes = QString::number(*byte1);
        if (const auto byte2 = wholeNumber(co_await ask(client, cueID, u"/byte2"_s)))
            bytes += u'/' + QString::number(*byte2);
        parts.append(bytes);
    }
    co_return parts.join(u' ');
}

QString clockText(qint64 seconds)
{
    char buffer[64];
    if (seconds < 3600) {
        std::snprintf(buffer, sizeof buffer, "%lld:%02lld", static_cast<long long>(seconds / 60),
            static_cast<long long>(seconds % 60));
    } else {
        std::snprintf(buffer, sizeof buffer, "%lld:%02lld:%02lld",
            static_cast<long long>(seconds / 3600), static_cast<long long>(seconds % 3600 / 60),
            static_cast<long long>(seconds % 60));
    }
    return QString::fromLatin1(buffer);
}

QCoro::Task<QString> timecodeAction(QLab_OSCClient &client, QString cueID)
{
    QStringList parts { u"Timecode"_s };
    if (const auto start = OSCValue::text(co_await ask(client, cueID, u"/startTime"_s)))
        parts.append(u"start: "_s + *start);
    std::optional<double> duration;
    try {
        duration = co_await client.fetchDuration(cueID);
    } catch (const OSCClientError &) { }
    if (duration && *duration > 0) {
        if (const auto seconds = OSCValue::wholePart(*duration))
            parts.append(clockText(*seconds));
    }
    co_return parts.join(u' ');
}

QCoro::Task<QString> networkAction(QLab_OSCClient &client, QString cueID)
{
    QStringList parts { u"Network"_s };
    if (const auto patch = wholeNumber(co_await ask(client, cueID, u"/networkPatchNumber"_s)))
        parts.append(u"\u00B7 Patch "_s + QString::number(*patch));
    if (const auto text = OSCValue::text(co_await ask(client, cueID, u"/customString"_s)))
        parts.append(u"\u2013 "_s + *text);
    co_return parts.join(u' ');
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

bool isTargetType(QStringView type)
{
    return type == u"Start" || type == u"Stop" || type == u"Pause" || type == u"Load"
        || type == u"Reset" || type == u"GoTo";
}

QCoro::Task<> enrich(QLab_OSCClient &client, OSCCueData &cue)
{
    co_await applyNotesAndWaits(client, cue);
    const QString id = cue.qlabCueID;
    const QString baseType = cue.type.section(u' ', 0, 0);

    if (isTargetType(baseType) || baseType == u"Devamp") {
        if (const auto label = co_await targetLabel(client, id))
            cue.action = baseType + u" \u2192 "_s + *label;
    } else if (baseType == u"MIDI") {
        cue.action = co_await midiAction(client, id);
    } else if (baseType == u"Group") {
        if (const auto mode = numericMode(co_await ask(client, id, u"/mode"_s))) {
            if (const QString label = groupModeLabel(*mode); !label.isEmpty())
                cue.type = u"Group ("_s + label + u')';
        }
    } else if (baseType == u"Fade") {
        const auto mode = numericMode(co_await ask(client, id, u"/levelsMode"_s));
        if (mode == 1)
            cue.type = u"Fade (Relative)"_s;
        else if (mode == 0)
            cue.type = u"Fade (Absolute)"_s;
    } else if (baseType == u"Timecode") {
        cue.action = co_await timecodeAction(client, id);
    } else if (baseType == u"Network") {
        cue.action = co_await networkAction(client, id);
    }
}

} // namespace

QCoro::Task<QList<OSCCueData>> OSCCueEnricher::enrichCueData(
    QLab_OSCClient &client, QList<OSCCueData> cues)
{
    for (OSCCueData &cue : cues) {
        if (OSCCueAddress::isSendable(cue.qlabCueID))
            co_await enrich(client, cue);
    }
    co_return cues;
}
