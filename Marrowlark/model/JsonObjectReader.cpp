#include "model/JsonObjectReader.h"

#include "model/JsonCodingError.h"
#include "model/UuidText.h"

#include <cmath>

JsonObjectReader::JsonObjectReader(const QJsonObject &object, const JsonPath &path)
    : m_object(object)
    , m_path(path)
{ }

JsonObjectReader JsonObjectReader::element(const QJsonArray &array, const JsonPath &path)
{
    const QJsonValue value = array.at(path.index);
    if (!value.isObject()) {
        const QString key = path.arrayKey + u'[' + QString::number(path.index) + u']';
        throw JsonCodingError::wrongType(*path.parent, key, JsonCodingError::Expected::object);
    }
    return JsonObjectReader(value.toObject(), path);
}

QJsonValue JsonObjectReader::required(QLatin1String key) const
{
    const QJsonValue value = m_object.value(key);
    if (value.isUndefined())
        throw JsonCodingError::missingKey(m_path, key);
    return value;
}

QString JsonObjectReader::text(QLatin1String key, const QJsonValue &value) const
{
    if (!value.isString())
        throw JsonCodingError::wrongType(m_path, key, JsonCodingError::Expected::text);
    QString text = value.toString();
    if (!QStringView(text).isValidUtf16())
        throw JsonCodingError::brokenText(m_path, key);
    return text;
}

QString JsonObjectReader::string(QLatin1String key) const
{
    return text(key, required(key));
}

std::optional<QString> JsonObjectReader::optionalString(QLatin1String key) const
{
    const QJsonValue value = m_object.value(key);
    if (value.isUndefined() || value.isNull())
        return std::nullopt;
    return text(key, value);
}

double JsonObjectReader::number(QLatin1String key) const
{
    const QJsonValue value = required(key);
    if (!value.isDouble())
        throw JsonCodingError::wrongType(m_path, key, JsonCodingError::Expected::number);
    const double number = value.toDouble();
    if (!std::isfinite(number))
        throw JsonCodingError::notFinite(m_path, key);
    return number;
}

bool JsonObjectReader::boolean(QLatin1String key) const
{
    const QJsonValue value = required(key);
    if (!value.isBool())
        throw JsonCodingError::wrongType(m_path, key, JsonCodingError::Expected::boolean);
    return value.toBool();
}

QUuid JsonObjectReader::uuid(QLatin1String key) const
{
    const QJsonValue value = required(key);
    const QString text = value.toString();
    if (!value.isString() || !isUuidText(QStringView(text)))
        throw JsonCodingError::wrongType(m_path, key, JsonCodingError::Expected::uuid);
    return QUuid::fromString(text);
}

QJsonArray JsonObjectReader::array(QLatin1String key) const
{
    const QJsonValue value = required(key);
    if (!value.isArray())
        throw JsonCodingError::wrongType(m_path, key, JsonCodingError::Expected::array);
    return value.toArray();
}
