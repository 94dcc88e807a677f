#pragma once

#include <QJsonValue>

#include <optional>

// How values in QLab's replies are read as numbers, flags and whole numbers.
class OSCValue
{
public:
    // A finite number from a number, a text that is wholly a decimal number (sign and exponent
    // allowed, read with a point whatever the locale), or the first element of a non-empty
    // array; none for anything else (Booleans included).
    static std::optional<double> doubleValue(const std::optional<QJsonValue> &value);

    // True for true, a non-zero number, and the texts "true" and "1"; false for anything else.
    static bool boolValue(const std::optional<QJsonValue> &value);

    // A flag that may come as a Boolean or as the number 0 or 1; none for anything else.
    static std::optional<bool> flag(const QJsonValue &value);

    // A whole number given as a JSON number without a fraction.
    static std::optional<qint64> integerValue(const std::optional<QJsonValue> &value);

    // The whole part (toward zero); none when not finite or beyond 64 bits.
    static std::optional<qint64> wholePart(double value);

    // The nearest whole number, halves away from zero, held within 64 bits.
    static qint64 rounded(double value);

    // A non-empty text, else none.
    static std::optional<QString> text(const std::optional<QJsonValue> &value);
};
