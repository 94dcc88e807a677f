#include "model/DecimalText.h"

#include <charconv>

QString fixedDecimal(double value, int decimals)
{
    char buffer[400]; // the largest double has 309 digits before the point
    const std::to_chars_result written
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return QString::fromLatin1(buffer, written.ptr - buffer);
}
