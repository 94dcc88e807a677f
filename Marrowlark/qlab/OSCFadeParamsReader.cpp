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
    try {
        co_return QLab_OSCClient::firstOK(co_await client.queryCue(cueID, property));
    } catch (const OSCClientError &) {
        co_return std::nullopt;
    }
}

// Asks `property` only when QLab says the fade changes it (`switchProperty` is set).
QCoro::Task<Reply> askIfSet(
    QLab_OSCClient &client, QString cueID, QString switchProperty, QString property)
{
    const Reply changes = co_await ask(client, cueID, switchProperty);
    if (!changes || !OSCValue::boolValue(changes->payload))
        co_return std::nullopt;
    co_return co_await ask(client, cueID, property);
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
    const auto rate = QLab_OSCClient::firstOK(co_await client.queryCue(cueID, u"/rate"_s));
    const auto doRate = QLab_OSCClient::firstOK(co_await client.queryCue(cueID, u"/doRate"_s));
    const auto doLevel = QLab_OSCClient::firstOK(co_await client.queryCue(cueID, u"/doLevel"_s));

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
    for (const auto &[row, col] : crosspoints) {
        const QString property = u"/level/"_s + QString::number(row) + u'/' + QString::number(col);
        if (const auto level
            = OSCValue::doubleValue(payload(co_await ask(client, cueID, property))))
            params.activeLevels.append({ row, col, *level });
    }

    params.opacity = OSCValue::doubleValue(
        payload(co_await askIfSet(client, cueID, u"/doOpacity"_s, u"/opacity"_s)));
    params.rotation = OSCValue::doubleValue(
        payload(co_await askIfSet(client, cueID, u"/doRotation"_s, u"/rotation"_s)));

    if (const Reply scale = co_await askIfSet(client, cueID, u"/doScale"_s, u"/scale"_s)) {
        if (const auto xy = pairValue(scale->payload)) {
            std::tie(params.scaleX, params.scaleY) = *xy;
        } else {
            params.scaleX = OSCValue::doubleValue(scale->payload);
            params.scaleY = params.scaleX;
        }
    }
    if (const Reply translation
        = co_await askIfSet(client, cueID, u"/doTranslation"_s, u"/translation"_s)) {
        std::tie(params.translationX, params.translationY)
            = pairValue(translation->payload).value_or(XY(0.0, 0.0));
    }

    params.stopTargetWhenDone
        = OSCValue::boolValue(payload(co_await ask(client, cueID, u"/stopTargetWhenDone"_s)));
    co_return params;
}
