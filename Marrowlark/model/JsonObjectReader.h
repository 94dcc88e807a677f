#pragma once

#include "model/JsonCodingError.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>

#include <optional>

// Strict reading of one JSON object: every required key must be present with exactly the
// expected JSON type, because QJsonValue's quiet defaults would turn a damaged file into empty
// texts and zeros. Every failure throws JsonCodingError naming the key and where it is. A reader
// refers to its path, which must outlive it.
class JsonObjectReader
{
public:
    JsonObjectReader(const QJsonObject &object, const JsonPath &path);

    // The element at path.index of array, which must be an object. The reader refers to path,
    // which must outlive it.
    static JsonObjectReader element(const QJsonArray &array, const JsonPath &path);

    const JsonPath &path() const { return m_path; }

    // Texts must be whole: no unpaired surrogate, which a JSON escape can spell.
    QString string(QLatin1String key) const;
    // Missing or null gives no value; any other non-text is an error.
    std::optional<QString> optionalString(QLatin1String key) const;
    // A finite number.
    double number(QLatin1String key) const;
    bool boolean(QLatin1String key) const;
    // The 36-character form, hexadecimal digits in either case.
    QUuid uuid(QLatin1String key) const;
    QJsonArray array(QLatin1String key) const;

private:
    QJsonValue required(QLatin1String key) const;
    QString text(QLatin1String key, const QJsonValue &value) const;

    QJsonObject m_object;
    const JsonPath &m_path;
};
