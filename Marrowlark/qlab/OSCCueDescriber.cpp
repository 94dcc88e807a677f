#include "qlab/OSCCueDescriber.h"

#include "qlab/OSCClientError.h"
#include "qlab/OSCCueAddress.h"
#include "qlab/OSCValue.h"
#include "qlab/QLab_OSCClient.h"

#include <QStringList>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

using Answer = std::optional<QJsonValue>;

std::optional<qint64> wholeNumber(const Answer &answer)
{
    const auto number = OSCValue::doubleValue(answer);
    return number ? OSCValue::wholePart(*number) : std::nullopt;
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

} // namespace

QCoro::Task<Answer> OSCCueDescriber::answer(QLab_OSCClient &client, QString cueID, QString property)
{
    std::optional<QLabOSCResponse> reply;
    try {
        const QList<QLabOSCResponse> replies = co_await client.queryCue(cueID, property);
        reply = QLab_OSCClient::firstOK(replies);
    } catch (const OSCClientError &) { }
    co_return reply ? reply->payload : std::nullopt;
}

QCoro::Task<std::optional<QString>> OSCCueDescriber::targetLabel(
    QLab_OSCClient &client, QString cueID)
{
    const Answer number = co_await answer(client, cueID, u"/cueTargetNumber"_s);
    if (const auto text = OSCValue::text(number))
        co_return text;
    const Answer target = co_await answer(client, cueID, u"/cueTargetID"_s);
    const auto targetID = OSCValue::text(target);
    if (!targetID || !OSCCueAddress::isSendable(*targetID))
        co_return std::nullopt;
    const QStringList nameProperties { u"/displayName"_s, u"/listName"_s, u"/name"_s };
    for (const QString &property : nameProperties) {
        const Answer name = co_await answer(client, *targetID, property);
        if (const auto text = OSCValue::text(name))
            co_return text;
    }
    co_return std::nullopt;
}

QCoro::Task<QString> OSCCueDescriber::describeMIDI(QLab_OSCClient &client, QString cueID)
{
    QStringList parts { u"MIDI"_s };
    const Answer messageType = co_await answer(client, cueID, u"/messageType"_s);
    if (messageType && messageType->isString()) {
        if (!messageType->toString().isEmpty())
            parts.append(messageType->toString());
    } else if (const auto type = OSCValue::integerValue(messageType)) {
        if (*type == 1) {
            const Answer status = co_await answer(client, cueID, u"/status"_s);
            if (const auto kind = OSCValue::integerValue(status))
                parts.append(voiceMessageName(*kind));
        } else if (*type == 2) {
            parts.append(u"MSC"_s);
        } else if (*type == 3) {
            parts.append(u"SysEx"_s);
        } else {
            parts.append(u"cmd "_s + QString::number(*type));
        }
    }
    const Answer channel = co_await answer(client, cueID, u"/channel"_s);
    if (const auto number = wholeNumber(channel))
        parts.append(u"ch"_s + QString::number(*number));
    const Answer byte1 = co_await answer(client, cueID, u"/byte1"_s);
    if (const auto first = wholeNumber(byte1)) {
        QString bytes = QString::number(*first);
        const Answer byte2 = co_await answer(client, cueID, u"/byte2"_s);
        if (const auto second = wholeNumber(byte2))
            bytes += u'/' + QString::number(*second);
        parts.append(bytes);
    }
    co_return parts.join(u' ');
}

QCoro::Task<QString> OSCCueDescriber::describeNetwork(QLab_OSCClient &client, QString cueID)
{
    QStringList parts { u"Network"_s };
    const Answer patch = co_await answer(client, cueID, u"/networkPatchNumber"_s);
    if (const auto number = wholeNumber(patch))
        parts.append(u"\u00B7 Patch "_s + QString::number(*number));
    const Answer custom = co_await answer(client, cueID, u"/customString"_s);
    if (const auto text = OSCValue::text(custom))
        parts.append(u"\u2013 "_s + *text);
    co_return parts.join(u' ');
}

QCoro::Task<QString> OSCCueDescriber::describeTimecode(QLab_OSCClient &client, QString cueID)
{
    QStringList parts { u"Timecode"_s };
    const Answer start = co_await answer(client, cueID, u"/startTime"_s);
    if (const auto text = OSCValue::text(start))
        parts.append(u"start: "_s + *text);
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
