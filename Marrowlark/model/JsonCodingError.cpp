#include "model/JsonCodingError.h"

#include "model/AppText.h"

namespace {

QString location(const JsonPath &at)
{
    const QString path = at.toString();
    if (path.isEmpty())
        return AppText::jsonAtTopLevel();
    return AppText::jsonAtPath(path);
}

QString expectedText(JsonCodingError::Expected expected)
{
    switch (expected) {
    case JsonCodingError::Expected::text:
        return AppText::jsonExpectedText();
    case JsonCodingError::Expected::number:
        return AppText::jsonExpectedNumber();
    case JsonCodingError::Expected::boolean:
        return AppText::jsonExpectedBoolean();
    case JsonCodingError::Expected::array:
        return AppText::jsonExpectedList();
    case JsonCodingError::Expected::object:
        return AppText::jsonExpectedObject();
    case JsonCodingError::Expected::uuid:
        return AppText::jsonExpectedUUID();
    }
    return {};
}

} // namespace

JsonCodingError::JsonCodingError(QString description)
    : m_description(std::move(description))
    , m_utf8(m_description.toUtf8())
{ }

JsonCodingError JsonCodingError::emptyDocument()
{
    return JsonCodingError(AppText::jsonEmptyFile());
}

JsonCodingError JsonCodingError::notJson(qsizetype byteOffset)
{
    return JsonCodingError(AppText::jsonNotJSON(byteOffset));
}

JsonCodingError JsonCodingError::nestedTooDeeply()
{
    return JsonCodingError(AppText::jsonNestedTooDeeply());
}

JsonCodingError JsonCodingError::missingKey(const JsonPath &at, const QString &key)
{
    return JsonCodingError(AppText::jsonMissingKey(key, location(at)));
}

JsonCodingError JsonCodingError::wrongType(
    const JsonPath &at, const QString &key, Expected expected)
{
    return JsonCodingError(AppText::jsonWrongType(key, expectedText(expected), location(at)));
}

JsonCodingError JsonCodingError::notFinite(const JsonPath &at, const QString &key)
{
    return JsonCodingError(AppText::jsonNotFinite(key, location(at)));
}

JsonCodingError JsonCodingError::brokenText(const JsonPath &at, const QString &key)
{
    return JsonCodingError(AppText::jsonBrokenText(key, location(at)));
}

JsonCodingError JsonCodingError::unknownValue(
    const JsonPath &at, const QString &key, const QString &value, const QString &valueKind)
{
    // The value comes from the file: keep a long one from flooding the alert.
    constexpr qsizetype shownLength = 40;
    const QString shown = value.size() > shownLength ? value.left(shownLength) + u'…' : value;
    return JsonCodingError(AppText::jsonUnknownValue(shown, key, valueKind, location(at)));
}

QString JsonPath::toString() const
{
    if (!parent)
        return {};
    QString text = parent->toString();
    if (!text.isEmpty())
        text += u'.';
    return text + arrayKey + u'[' + QString::number(index) + u']';
}
