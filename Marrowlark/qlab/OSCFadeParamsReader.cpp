#include "qlab/OSCFadeParamsReader.h"

#include "qlab/OSCClientError.h"
#include "qlab/OSCValue.h"
#include "qlab/QLab_OSCClient.h"

#include <QJsonArray>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace {

using Reply = std::optional<QLabOSCResponse>;

// The first "ok" reply of a request, or none when the request fails or nothing says "ok".
QCoro::Task<Reply> ask(QLab_OSCClient &client, QString cueID, QString property)
{
    Reply reply;
    try {
        const QList<QLabOSCResponse> replies = co_await client.queryCue(cueID, property);
        reply = QLab_OSCClient::firstOK(replies);
    } catch (const OSCClientError &) { }
    co_return reply;
}

// Asks `property` only when QLab says the fade changes it (`switchProperty` is set).
QCoro::Task<Reply> askIfSet(
    QLab_OSCClient &client, QString cueID, QString switchProperty, QString property)
{
    const Reply changes = co_await ask(client, cueID, switchProperty);
    if (!changes || !OSCValue::boolValue(changes->payload))
        co_return std::nullopt;
    const Reply value = co_await ask(client, cueID, property);
    co_return value;
}

std::optional<QJsonValue> payload(const Reply &reply)
{
    return reply ? reply->payload : std::nullopt;
}

using XY = std::pair<std::optional<double>, std::optional<double>>;

// x and y from {"x": .., "y": ..} or [x, y]; none when the value is neither.
std::optional<XY> pairValue(const std::optional<QJsonValue> &value)
{
    if (value && value->isObject()) {
        const QJsonObject object = value->toObject();
        return XY(
            OSCValue::doubleValue(object.value(u"x")), OSCValue::doubleValue(object.value(u"y")));
    }
    if (value && value->isArray() && value->toArray().size() == 2) {
        const QJsonArray array = value->toArray();
        return XY(OSCValue::doubleValue(array.at(0)), OSCValue::doubleValue(array.at(1)));
    }
    return std::nullopt;
}

} // namespace

QCoro::Task<FadeOSCParams> OSCFadeParamsReader::fetchFadeParams(
    QLab_OSCClient &client, QString cueID)
{
    FadeOSCParams params;
    // Errors of these three end the read.
    const QList<QLabOSCResponse> rateReplies = co_await client.queryCue(cueID, u"/rate"_s);
    const QList<QLabOSCResponse> doRateReplies = co_await client.queryCue(cueID, u"/doRate"_s);
    const QList<QLabOSCResponse> doLevelReplies = co_await client.queryCue(cueID, u"/doLevel"_s);
    const Reply rate = QLab_OSCClient::firstOK(rateReplies);
    const Reply doRate = QLab_OSCClient::firstOK(doRateReplies);
    const Reply doLevel = QLab_OSCClient::firstOK(doLevelReplies);

    if (const auto value = payload(doRate); value && value->isBool())
        params.doRate = value->toBool();
    else if (const auto integer = OSCValue::integerValue(value))
        params.doRate = *integer != 0;
    if (params.doRate)
        params.rate = OSCValue::doubleValue(payload(rate));

    QList<std::pair<int, int>> crosspoints;
    if (const auto matrix = payload(doLevel); matrix && matrix->isArray()) {
        const QJsonArray rows = matrix->toArray();
        const bool allRows = std::all_of(
            rows.begin(), rows.end(), [](const QJsonValue &row) { return row.isArray(); });
        for (int r = 0; allRows && r < rows.size(); ++r) {
            const QJsonArray row = rows.at(r).toArray();
            for (int c = 0; c < row.size(); ++c) {
                if (OSCValue::boolValue(row.at(c)))
                    crosspoints.append({ r, c });
            }
        }
    }
    params.hasActiveLevel = !crosspoints.isEmpty();
    for (const std::pair<int, int> &crosspoint : crosspoints) {
        const QString property = u"/level/"_s + QString::number(crosspoint.first) + u'/'
            + QString::number(crosspoint.second);
        const Reply reply = co_await ask(client, cueID, property);
        if (const auto level = OSCValue::doubleValue(payload(reply)))
            params.activeLevels.append({ crosspoint.first, crosspoint.second, *level });
    }

    const Reply opacity = co_await askIfSet(client, cueID, u"/doOpacity"_s, u"/opacity"_s);
    params.opacity = OSCValue::doubleValue(payload(opacity));
    const Reply rotation = co_await askIfSet(client, cueID, u"/doRotation"_s, u"/rotation"_s);
    params.rotation = OSCValue::doubleValue(payload(rotation));

    const Reply scale = co_await askIfSet(client, cueID, u"/doScale"_s, u"/scale"_s);
    if (scale) {
        if (const auto xy = pairValue(scale->payload)) {
            std::tie(params.scaleX, params.scaleY) = *xy;
        } else {
            params.scaleX = OSCValue::doubleValue(scale->payload);
            params.scaleY = params.scaleX;
        }
    }
    const Reply translation
        = co_await askIfSet(client, cueID, u"/doTranslation"_s, u"/translation"_s);
    if (translation) {
        std::tie(params.translationX, params.translationY)
            = pairValue(translation->payload).value_or(XY(0.0, 0.0));
    }

    const Reply stop = co_await ask(client, cueID, u"/stopTargetWhenDone"_s);
    params.stopTargetWhenDone = OSCValue::boolValue(payload(stop));
    co_return params;
}
