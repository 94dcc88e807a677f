#include "import/JsonField.h"

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

template <typename T> std::optional<T> fail(QStringView key, QStringView kind, QString *error)
{
    if (error)
        *error = u"\""_s + key.toString() + u"\" is missing or not "_s + kind.toString();
    return std::nullopt;
}

} // namespace

namespace JsonField {

std::optional<QString> text(const QJsonObject &object, QStringView key, QString *error)
{
    const QJsonValue value = object.value(key);
    if (!value.isString())
        return fail<QString>(key, u"a text", error);
    return value.toString();
}

std::optional<bool> flag(const QJsonObject &object, QStringView key, QString *error)
{
    const QJsonValue value = object.value(key);
    if (!value.isBool())
        return fail<bool>(key, u"true or false", error);
    return value.toBool();
}

std::optional<int> integer(const QJsonObject &object, QStringView key, QString *error)
{
    const QJsonValue value = object.value(key);
    const double number = value.toDouble();
    if (!value.isDouble() || std::trunc(number) != number
        || std::abs(number) > std::numeric_limits<int>::max())
        return fail<int>(key, u"a whole number", error);
    return int(number);
}

} // namespace JsonField
