#include "model/JsonTextWriter.h"

#include <QtGlobal>

#include <charconv>
#include <cmath>

namespace {

constexpr char hexDigits[] = "0123456789abcdef";

} // namespace

void JsonTextWriter::beginObject()
{
    open('{');
}

void JsonTextWriter::endObject()
{
    close('}');
}

void JsonTextWriter::beginArray()
{
    open('[');
}

void JsonTextWriter::endArray()
{
    close(']');
}

void JsonTextWriter::key(QLatin1String key)
{
    beforeValue();
    m_out += '"';
    m_out += QByteArrayView(key.data(), key.size());
    m_out += "\" : ";
    m_afterKey = true;
}

void JsonTextWriter::string(QStringView text)
{
    beforeValue();
    const QByteArray utf8 = text.toUtf8();
    m_out += '"';
    for (const char c : utf8) {
        switch (c) {
        case '"':
            m_out += "\\\"";
            break;
        case '\\':
            m_out += "\\\\";
            break;
        case '/':
            m_out += "\\/";
            break;
        case '\b':
            m_out += "\\b";
            break;
        case '\f':
            m_out += "\\f";
            break;
        case '\n':
            m_out += "\\n";
            break;
        case '\r':
            m_out += "\\r";
            break;
        case '\t':
            m_out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                m_out += "\\u00";
                m_out += hexDigits[(c >> 4) & 0xF];
                m_out += hexDigits[c & 0xF];
            } else {
                m_out += c;
            }
        }
    }
    m_out += '"';
}

void JsonTextWriter::boolean(bool value)
{
    beforeValue();
    m_out += value ? "true" : "false";
}

void JsonTextWriter::number(double value)
{
    beforeValue();
    m_out += formatNumber(value);
}

QByteArray JsonTextWriter::formatNumber(double value)
{
    Q_ASSERT(std::isfinite(value));
    if (value == 0)
        return std::signbit(value) ? QByteArrayLiteral("-0") : QByteArrayLiteral("0");

    // Shortest round-trip digits as d.ddde±XX, which is already the exponential form.
    char scientific[32];
    const auto result = std::to_chars(
        scientific, scientific + sizeof scientific, value, std::chars_format::scientific);
    const QByteArrayView text(scientific, result.ptr);
    const qsizetype e = text.indexOf('e');
    int exponent = 0;
    const char *exponentStart = scientific + e + 1;
    std::from_chars(exponentStart + (*exponentStart == '+'), result.ptr, exponent);
    if (exponent < -4 || std::fabs(value) > 0x1.0p54)
        return text.toByteArray();

    const bool negative = value < 0;
    QByteArray digits;
    for (const char c : text.first(e))
        if (c >= '0' && c <= '9')
            digits += c;

    QByteArray out;
    if (negative)
        out += '-';
    if (exponent < 0) {
        out += "0.";
        out += QByteArray(-exponent - 1, '0');
        out += digits;
    } else if (exponent + 1 < digits.size()) {
        out += digits.first(exponent + 1);
        out += '.';
        out += digits.sliced(exponent + 1);
    } else {
        out += digits;
        out += QByteArray(exponent + 1 - digits.size(), '0');
    }
    return out;
}

void JsonTextWriter::beforeValue()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_levelHasItems.isEmpty())
        return;
    m_out += m_levelHasItems.last() ? ",\n" : "\n";
    m_levelHasItems.last() = true;
    indent();
}

void JsonTextWriter::indent()
{
    m_out.append(2 * m_levelHasItems.size(), ' ');
}

void JsonTextWriter::open(char bracket)
{
    beforeValue();
    m_out += bracket;
    m_levelHasItems.append(false);
}

void JsonTextWriter::close(char bracket)
{
    // An empty container still gets both line feeds: "[", a blank line, "]".
    if (!m_levelHasItems.last())
        m_out += '\n';
    m_levelHasItems.removeLast();
    m_out += '\n';
    indent();
    m_out += bracket;
}
