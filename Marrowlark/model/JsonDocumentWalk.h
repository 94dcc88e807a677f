#pragma once

#include "model/JsonCodingError.h"
#include "model/JsonCodingError.h"

#include <QByteArray>
#include <QString>
#include <QUuid>

#include <simdjson.h>

#include <array>
#include <bitset>
#include <optional>

class JsonDocumentWalk;

// One value of a document being walked, under a key of the object at a path. It is read once,
// with exactly the expected JSON type; every failure throws JsonCodingError naming the key and
// where it is.
class JsonFieldValue
{
public:
    // Texts must be whole: no unpaired surrogate, which a JSON escape can spell.
    QString string();
    // Null gives no value; any other non-text is an error.
    std::optional<QString> optionalString();
    // A finite number.
    double number();
    bool boolean();
    // The 36-character form, hexadecimal digits in either case.
    QUuid uuid();
    // Calls readElement(JsonObjectFields &) for each element of a list of objects.
    template <typename ReadElement> void forEachObject(ReadElement &&readElement);

    const JsonPath &path() const { return m_path; }
    QLatin1String key() const { return m_key; }

private:
    friend class JsonObjectFields;
    JsonFieldValue(JsonDocumentWalk &walk, simdjson::ondemand::value value, const JsonPath &path,
        QLatin1String key);
    // Throws for error: a type error names the expected type, anything else the syntax.
    void check(simdjson::error_code error, JsonCodingError::Expected expected) const;

    JsonDocumentWalk &m_walk;
    simdjson::ondemand::value m_value;
    const JsonPath &m_path;
    QLatin1String m_key;
};

// The members of one object of a document being walked. Refers to its path, which must outlive it.
class JsonObjectFields
{
public:
    const JsonPath &path() const { return m_path; }

    // Calls readField(index, JsonFieldValue &) for each member whose key is keys[index], in the
    // order of the document (a repeated key is read again); other members are only checked to be
    // JSON. Then each key that is not optional must have been met: the first one missing, in the
    // order of keys, is the error.
    template <std::size_t N, typename ReadField>
    void read(
        const std::array<QLatin1String, N> &keys, std::bitset<N> optional, ReadField &&readField);

private:
    friend class JsonFieldValue;
    friend class JsonDocumentWalk;
    JsonObjectFields(
        JsonDocumentWalk &walk, simdjson::ondemand::object object, const JsonPath &path);
    // The index of key among count keys, or -1.
    qsizetype indexOf(simdjson::ondemand::raw_json_string key, const QLatin1String *keys,
        std::size_t count) const;

    JsonDocumentWalk &m_walk;
    simdjson::ondemand::object m_object;
    const JsonPath &m_path;
};

// A strict reading of a whole JSON document in one pass, straight into the caller's types, with
// simdjson's On-Demand parser. A syntax error anywhere in the document, or nesting deeper than
// containers of containers 1024 deep, is reported in preference to any other error.
class JsonDocumentWalk
{
public:
    // Capacity beyond the data's size that spares the walk a padded copy of the data.
    static constexpr qsizetype spareCapacity = simdjson::SIMDJSON_PADDING;

    // Calls readTop(JsonObjectFields &) on the document's top-level object and returns its result.
    // Throws JsonCodingError: notAnObject when the document holds something else.
    template <typename ReadTop>
    static auto read(const QByteArray &data, const QString &notAnObject, ReadTop &&readTop)
    {
        JsonDocumentWalk walk(data);
        try {
            const JsonPath top;
            JsonObjectFields fields = walk.topObject(notAnObject, top);
            auto result = readTop(fields);
            walk.expectEnd();
            return result;
        } catch (const JsonCodingError &) {
            walk.throwAnySyntaxError();
            throw;
        }
    }

private:
    friend class JsonFieldValue;
    friend class JsonObjectFields;

    // One more level of containers for the lifetime of the guard.
    class Nesting
    {
    public:
        explicit Nesting(JsonDocumentWalk &walk);
        ~Nesting() { --m_walk.m_depth; }
        Nesting(const Nesting &) = delete;
        Nesting &operator=(const Nesting &) = delete;

    private:
        JsonDocumentWalk &m_walk;
    };

    explicit JsonDocumentWalk(const QByteArray &data);
    // Parses text for walking from its start.
    simdjson::error_code start(const QByteArray &text);
    JsonObjectFields topObject(const QString &notAnObject, const JsonPath &top);
    void expectEnd();
    // Walks the whole document again from its start and throws for its first syntax error.
    void throwAnySyntaxError();
    // Checks value and everything in it to be JSON.
    void validate(simdjson::ondemand::value value);
    // The text of the string whose opening quote is just before begin, or a syntax error.
    QString decodeString(const char *begin);
    void check(simdjson::error_code error);
    [[noreturn]] void throwSyntaxError(simdjson::error_code error);

    QByteArray m_input;
    simdjson::ondemand::parser m_parser;
    simdjson::ondemand::document m_document;
    int m_depth = 0;
};

template <typename ReadElement> void JsonFieldValue::forEachObject(ReadElement &&readElement)
{
    simdjson::ondemand::array array;
    check(m_value.get_array().get(array), JsonCodingError::Expected::array);
    const JsonDocumentWalk::Nesting nesting(m_walk);
    qsizetype index = 0;
    for (auto element : array) {
        simdjson::ondemand::value value;
        m_walk.check(std::move(element).get(value));
        const JsonPath path = m_path.element(m_key, index);
        simdjson::ondemand::object object;
        if (const simdjson::error_code error = value.get_object().get(object)) {
            if (error != simdjson::INCORRECT_TYPE)
                m_walk.throwSyntaxError(error);
            throw JsonCodingError::wrongType(m_path,
                QString(m_key) + u'[' + QString::number(index) + u']',
                JsonCodingError::Expected::object);
        }
        JsonObjectFields fields(m_walk, object, path);
        readElement(fields);
        ++index;
    }
}

template <std::size_t N, typename ReadField>
void JsonObjectFields::read(
    const std::array<QLatin1String, N> &keys, std::bitset<N> optional, ReadField &&readField)
{
    const JsonDocumentWalk::Nesting nesting(m_walk);
    std::bitset<N> met;
    for (auto member : m_object) {
        simdjson::ondemand::field field;
        m_walk.check(std::move(member).get(field));
        const qsizetype index = indexOf(field.key(), keys.data(), N);
        if (index < 0) {
            m_walk.validate(field.value());
            continue;
        }
        JsonFieldValue value(m_walk, field.value(), m_path, keys[index]);
        readField(index, value);
        met.set(index);
    }
    for (std::size_t i = 0; i < N; ++i) {
        if (!met[i] && !optional[i])
            throw JsonCodingError::missingKey(m_path, keys[i]);
    }
}
