#include "qlab/OSCValue.h"

#include <QJsonArray>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace {

// 2^63 as a double; every double below it in magnitude fits in 64 bits.
constexpr double int64Limit = 9223372036854775808.0;

std::optional<double> finiteOrNone(double value)
{
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

} // namespace

std::optional<double> OSCValue::doubleValue(const std::optional<QJsonValue> &value)
{
    if (!value)
        return std::nullopt;
    if (value->isDouble())
        return finiteOrNone(value->toDouble());
    if (value->isString()) {
        static const QRegularExpression number(
            QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"),
            QRegularExpression::UseUnicodePropertiesOption);
        const QString text = value->toString();
        if (!number.match(text).hasMatch())
            return std::nullopt;
        bool ok = false;
        const double parsed = text.toLatin1().toDouble(&ok);
        return ok ? finiteOrNone(parsed) : std::nullopt;
    }
    if (value->isArray()) {
        const QJsonArray array = value->toArray();
        if (!array.isEmpty())
            return doubleValue(array.first());
    }
    return std::nullopt;
}

bool OSCValue::boolValue(const std::optional<QJsonValue> &value)
{
    if (!value)
        return false;
    if (value->isBool())
        return value->toBool();
    if (value->isDouble())
        return value->toDouble() != 0;
    if (value->isString())
        return value->toString() == u"true" || value->toString() == u"1";
    return false;
}

std::optional<bool> OSCValue::flag(const QJsonValue &value)
{
    if (value.isBool())
        return value.toBool();
    if (value.isDouble() && (value.toDouble() == 0 || value.toDouble() == 1))
        return value.toDouble() == 1;
    return std::nullopt;
}

std::optional<qint64> OSCValue::integerValue(const std::optional<QJsonValue> &value)
{
    if (!value || !value->isDouble())
        return std::nullopt;
    const double number = value->toDouble();
    if (std::trunc(number) != number)
        return std::nullopt;
    return wholePart(number);
}

std::optional<qint64> OSCValue::wholePart(double value)
{
    if (!std::isfinite(value) || std::abs(value) >= int64Limit)
        return std::nullopt;
    return static_cast<qint64>(std::trunc(value));
}

qint64 OSCValue::rounded(double value)
{
    if (std::isnan(value))
        return 0;
    const double whole = std::round(value);
    if (whole >= int64Limit)
        return std::numeric_limits<qint64>::max();
    if (whole < -int64Limit)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(whole);
}

std::optional<QString> OSCValue::text(const std::optional<QJsonValue> &value)
{
    if (!value || !value->isString() || value->toString().isEmpty())
        return std::nullopt;
    return value->toString();
}
