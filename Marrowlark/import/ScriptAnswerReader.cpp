#include "import/ScriptAnswerReader.h"

#include "model/JsonCodingError.h"

#include <cmath>
#include <limits>

QJsonDocument ScriptAnswerReader::document(const QByteArray &json)
{
    QJsonParseError error;
    QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        throw JsonCodingError(error.errorString());
    return document;
}

int ScriptAnswerReader::count(const JsonObjectReader &reader, QLatin1String key)
{
    const double number = reader.number(key);
    if (std::trunc(number) != number || std::abs(number) > std::numeric_limits<int>::max())
        throw JsonCodingError::wrongType(reader.path(), key, JsonCodingError::Expected::number);
    return int(number);
}
