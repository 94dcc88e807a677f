#include "model/JsonDocumentWalk.h"

#include "model/UuidText.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Qt's JSON parser refuses deeper documents; files it wrote or read must stay readable.
constexpr int nestingLimit = 1024;

// Editors on some systems begin UTF-8 files with it; JSON readers may ignore it.
constexpr QByteArrayView byteOrderMark = "\xEF\xBB\xBF";

qsizetype byteOrderMarkSize(QByteArrayView data)
{
    return data.startsWith(byteOrderMark) ? byteOrderMark.size() : 0;
}

bool isBlank(QByteArrayView data)
{
    return std::all_of(data.begin(), data.end(),
        [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; });
}

// The offset of the first byte that does not begin a valid UTF-8 sequence.
qsizetype firstInvalidUtf8(QByteArrayView data)
{
    const auto byte = [&](qsizetype i) { return uchar(data[i]); };
    qsizetype i = 0;
    while (i < data.size()) {
        const uchar lead = byte(i);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        uchar low = 0x80;
        uchar high = 0xbf;
        if (lead >= 0xc2 && lead <= 0xdf) {
            length = 2;
        } else if (lead >= 0xe0 && lead <= 0xef) {
            length = 3;
            low = lead == 0xe0 ? 0xa0 : low;
            high = lead == 0xed ? 0x9f : high;
        } else if (lead >= 0xf0 && lead <= 0xf4) {
            length = 4;
            low = lead == 0xf0 ? 0x90 : low;
            high = lead == 0xf4 ? 0x8f : high;
        } else {
            return i;
        }
        if (i + length > data.size() || byte(i + 1) < low || byte(i + 1) > high)
            return i;
        for (int k = 2; k < length; ++k) {
            if ((byte(i + k) & 0xc0) != 0x80)
                return i;
        }
        i += length;
    }
    return i;
}

// Control characters inside strings written as escapes. Other writers' files may hold them raw,
// which JSON does not allow but which has always been read.
QByteArray escapeControlCharacters(const QByteArray &data)
{
    QByteArray escaped;
    escaped.reserve(data.size() + data.size() / 16 + JsonDocumentWalk::spareCapacity);
    bool inString = false;
    bool afterBackslash = false;
    for (const char c : data) {
        if (inString && uchar(c) < 0x20) {
            escaped += "\\u00";
            escaped += "0123456789abcdef"[uchar(c) >> 4];
            escaped += "0123456789abcdef"[uchar(c) & 0xf];
            afterBackslash = false;
            continue;
        }
        escaped += c;
        if (afterBackslash)
            afterBackslash = false;
        else if (c == '\\')
            afterBackslash = inString;
        else if (c == '"')
            inString = !inString;
    }
    return escaped;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The text of the string whose contents start at begin, up to its closing quote, with UTF-16
// escapes taken as they are, so that an unpaired surrogate reaches the caller's check; no value
// for a malformed escape. The parser has checked the UTF-8 and that the string is closed.
std::optional<QString> decodeEscapedString(const char *begin)
{
    QString text;
    const char *at = begin;
    for (;;) {
        const char *run = at;
        while (*at != '"' && *at != '\\')
            ++at;
        text += QString::fromUtf8(run, at - run);
        if (*at == '"')
            return text;
        ++at;
        switch (*at++) {
        case '"':
            text += u'"';
            break;
        case '\\':
            text += u'\\';
            break;
        case '/':
            text += u'/';
            break;
        case 'b':
            text += u'\b';
            break;
        case 'f':
            text += u'\f';
            break;
        case 'n':
            text += u'\n';
            break;
        case 'r':
            text += u'\r';
            break;
        case 't':
            text += u'\t';
            break;
        case 'u': {
            char16_t unit = 0;
            for (int i = 0; i < 4; ++i) {
                const int digit = hexDigit(*at++);
                if (digit < 0)
                    return std::nullopt;
                unit = char16_t(unit << 4 | digit);
            }
            text += QChar(unit);
            break;
        }
        default:
            return std::nullopt;
        }
    }
}

// The raw contents of a string without escapes, or no value when it has some.
std::optional<std::string_view> plainString(const char *begin)
{
    const char *quote = static_cast<const char *>(std::strchr(begin, '"'));
    const std::string_view contents(begin, quote - begin);
    if (contents.find('\\') != std::string_view::npos)
        return std::nullopt;
    return contents;
}

} // namespace

JsonDocumentWalk::Nesting::Nesting(JsonDocumentWalk &walk)
    : m_walk(walk)
{
    if (++m_walk.m_depth > nestingLimit) {
        --m_walk.m_depth;
        throw JsonCodingError::nestedTooDeeply();
    }
}

JsonDocumentWalk::JsonDocumentWalk(const QByteArray &data)
{
    if (isBlank(QByteArrayView(data).sliced(byteOrderMarkSize(data))))
        throw JsonCodingError::emptyDocument();
    simdjson::error_code error = start(data);
    if (error == simdjson::UNESCAPED_CHARS)
        error = start(escapeControlCharacters(data));
    if (error == simdjson::UTF8_ERROR)
        throw JsonCodingError::notJson(firstInvalidUtf8(data));
    if (error)
        throw JsonCodingError::notJson(data.size());
}

simdjson::error_code JsonDocumentWalk::start(const QByteArray &text)
{
    // Shared, not copied, when the text has room for the parser's reading beyond its end.
    if (text.capacity() - text.size() >= spareCapacity) {
        m_input = text;
    } else {
        m_input = QByteArray();
        m_input.reserve(text.size() + spareCapacity);
        m_input.append(text);
    }
    // The parser's own depth counts the document and the value inside the deepest container,
    // beyond the containers that the walk counts.
    if (const simdjson::error_code error
        = m_parser.allocate(size_t(m_input.size()), nestingLimit + 2))
        return error;
    m_depth = 0;
    // Parsed after the mark, while the offsets of errors still count it as the file does.
    const qsizetype skipped = byteOrderMarkSize(m_input);
    return m_parser
        .iterate(simdjson::padded_string_view(m_input.constData() + skipped,
            size_t(m_input.size() - skipped), size_t(m_input.capacity() - skipped)))
        .get(m_document);
}

JsonObjectFields JsonDocumentWalk::topObject(const QString &notAnObject, const JsonPath &top)
{
    simdjson::ondemand::object object;
    if (const simdjson::error_code error = m_document.get_object().get(object)) {
        if (error == simdjson::INCORRECT_TYPE)
            throw JsonCodingError(notAnObject);
        throwSyntaxError(error);
    }
    return JsonObjectFields(*this, object, top);
}

void JsonDocumentWalk::expectEnd()
{
    // The parser has a location only before the end.
    const char *at = nullptr;
    if (m_document.current_location().get(at) == simdjson::SUCCESS)
        throwSyntaxError(simdjson::TRAILING_CONTENT);
}

void JsonDocumentWalk::throwAnySyntaxError()
{
    // A syntax error may have left the parser unable to go on.
    check(start(QByteArray(m_input)));
    simdjson::ondemand::value top;
    check(m_document.get_value().get(top));
    validate(top);
    expectEnd();
}

void JsonDocumentWalk::validate(simdjson::ondemand::value value)
{
    simdjson::ondemand::json_type type;
    check(value.type().get(type));
    switch (type) {
    case simdjson::ondemand::json_type::object: {
        const Nesting nesting(*this);
        simdjson::ondemand::object object;
        check(value.get_object().get(object));
        for (auto member : object) {
            simdjson::ondemand::field field;
            check(std::move(member).get(field));
            decodeString(field.key().raw());
            validate(field.value());
        }
        break;
    }
    case simdjson::ondemand::json_type::array: {
        const Nesting nesting(*this);
        simdjson::ondemand::array array;
        check(value.get_array().get(array));
        for (auto element : array) {
            simdjson::ondemand::value elementValue;
            check(std::move(element).get(elementValue));
            validate(elementValue);
        }
        break;
    }
    case simdjson::ondemand::json_type::string: {
        simdjson::ondemand::raw_json_string raw;
        check(value.get_raw_json_string().get(raw));
        decodeString(raw.raw());
        break;
    }
    case simdjson::ondemand::json_type::number: {
        double number = 0;
        check(value.get_double().get(number));
        break;
    }
    case simdjson::ondemand::json_type::boolean: {
        bool flag = false;
        check(value.get_bool().get(flag));
        break;
    }
    case simdjson::ondemand::json_type::null: {
        bool isNull = false;
        check(value.is_null().get(isNull));
        if (!isNull)
            throwSyntaxError(simdjson::N_ATOM_ERROR);
        break;
    }
    }
}

QString JsonDocumentWalk::decodeString(const char *begin)
{
    if (const std::optional<std::string_view> plain = plainString(begin))
        return QString::fromUtf8(plain->data(), qsizetype(plain->size()));
    if (std::optional<QString> text = decodeEscapedString(begin))
        return *std::move(text);
    throwSyntaxError(simdjson::STRING_ERROR);
}

void JsonDocumentWalk::check(simdjson::error_code error)
{
    if (error)
        throwSyntaxError(error);
}

void JsonDocumentWalk::throwSyntaxError(simdjson::error_code error)
{
    if (error == simdjson::DEPTH_ERROR)
        throw JsonCodingError::nestedTooDeeply();
    const char *at = nullptr;
    const qsizetype offset = m_document.current_location().get(at) == simdjson::SUCCESS
        ? at - m_input.constData()
        : m_input.size();
    throw JsonCodingError::notJson(offset);
}

JsonFieldValue::JsonFieldValue(JsonDocumentWalk &walk, simdjson::ondemand::value value,
    const JsonPath &path, QLatin1String key)
    : m_walk(walk)
    , m_value(value)
    , m_path(path)
    , m_key(key)
{ }

void JsonFieldValue::check(simdjson::error_code error, JsonCodingError::Expected expected) const
{
    if (error == simdjson::INCORRECT_TYPE)
        throw JsonCodingError::wrongType(m_path, m_key, expected);
    m_walk.check(error);
}

QString JsonFieldValue::string()
{
    simdjson::ondemand::raw_json_string raw;
    check(m_value.get_raw_json_string().get(raw), JsonCodingError::Expected::text);
    // Only an escape can spell a broken character: the parser has checked the UTF-8.
    if (const std::optional<std::string_view> plain = plainString(raw.raw()))
        return QString::fromUtf8(plain->data(), qsizetype(plain->size()));
    QString text = m_walk.decodeString(raw.raw());
    if (!QStringView(text).isValidUtf16())
        throw JsonCodingError::brokenText(m_path, m_key);
    return text;
}

std::optional<QString> JsonFieldValue::optionalString()
{
    bool isNull = false;
    if (m_value.is_null().get(isNull) == simdjson::SUCCESS && isNull)
        return std::nullopt;
    return string();
}

double JsonFieldValue::number()
{
    double number = 0;
    check(m_value.get_double().get(number), JsonCodingError::Expected::number);
    if (!std::isfinite(number))
        throw JsonCodingError::notFinite(m_path, m_key);
    return number;
}

bool JsonFieldValue::boolean()
{
    bool flag = false;
    check(m_value.get_bool().get(flag), JsonCodingError::Expected::boolean);
    return flag;
}

QUuid JsonFieldValue::uuid()
{
    simdjson::ondemand::raw_json_string raw;
    check(m_value.get_raw_json_string().get(raw), JsonCodingError::Expected::uuid);
    if (const std::optional<std::string_view> plain = plainString(raw.raw())) {
        const QLatin1StringView text(plain->data(), qsizetype(plain->size()));
        if (isUuidText(text))
            return QUuid::fromString(text);
    } else if (const QString text = m_walk.decodeString(raw.raw()); isUuidText(QStringView(text))) {
        return QUuid::fromString(text);
    }
    throw JsonCodingError::wrongType(m_path, m_key, JsonCodingError::Expected::uuid);
}

JsonObjectFields::JsonObjectFields(
    JsonDocumentWalk &walk, simdjson::ondemand::object object, const JsonPath &path)
    : m_walk(walk)
    , m_object(object)
    , m_path(path)
{ }

qsizetype JsonObjectFields::indexOf(
    simdjson::ondemand::raw_json_string key, const QLatin1String *keys, std::size_t count) const
{
    if (const std::optional<std::string_view> plain = plainString(key.raw())) {
        for (std::size_t i = 0; i < count; ++i) {
            if (std::string_view(keys[i].data(), size_t(keys[i].size())) == *plain)
                return qsizetype(i);
        }
        return -1;
    }
    const QString text = m_walk.decodeString(key.raw());
    for (std::size_t i = 0; i < count; ++i) {
        if (text == keys[i])
            return qsizetype(i);
    }
    return -1;
}
