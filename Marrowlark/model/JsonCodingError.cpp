#include "model/JsonCodingError.h"

#include "model/LanguageManager.h"

using namespace Qt::StringLiterals;

namespace {

QString location(const JsonPath &at)
{
    const QString path = at.toString();
    if (path.isEmpty())
        return LanguageManager::choose(u"at the top level"_s, u"на верхнем уровне"_s);
    return LanguageManager::choose(u"at "_s, u"в "_s) + path;
}

QString expectedText(JsonCodingError::Expected expected)
{
    switch (expected) {
    case JsonCodingError::Expected::text:
        return LanguageManager::choose(u"a text"_s, u"текст"_s);
    case JsonCodingError::Expected::number:
        return LanguageManager::choose(u"a number"_s, u"число"_s);
    case JsonCodingError::Expected::boolean:
        return LanguageManager::choose(u"true or false"_s, u"true или false"_s);
    case JsonCodingError::Expected::array:
        return LanguageManager::choose(u"a list"_s, u"список"_s);
    case JsonCodingError::Expected::object:
        return LanguageManager::choose(u"an object"_s, u"объект"_s);
    case JsonCodingError::Expected::uuid:
        return LanguageManager::choose(u"a UUID"_s, u"UUID"_s);
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
    return JsonCodingError(LanguageManager::choose(u"The file is empty."_s, u"Файл пуст."_s));
}

JsonCodingError JsonCodingError::notJson(qsizetype byteOffset)
{
    return JsonCodingError(
        LanguageManager::choose(u"The file is not valid JSON (error at byte %1)."_s,
            u"Файл не является корректным JSON (ошибка в байте %1)."_s)
            .arg(byteOffset));
}

JsonCodingError JsonCodingError::nestedTooDeeply()
{
    return JsonCodingError(LanguageManager::choose(u"The file is nested too deeply to be read."_s,
        u"Данные в файле вложены слишком глубоко."_s));
}

JsonCodingError JsonCodingError::missingKey(const JsonPath &at, const QString &key)
{
    return JsonCodingError(LanguageManager::choose(
        u"Required key “%1” is missing (%2)."_s, u"Отсутствует обязательный ключ «%1» (%2)."_s)
                               .arg(key, location(at)));
}

JsonCodingError JsonCodingError::wrongType(
    const JsonPath &at, const QString &key, Expected expected)
{
    return JsonCodingError(LanguageManager::choose(
        u"The value of “%1” is not %2 (%3)."_s, u"Значение «%1» — не %2 (%3)."_s)
                               .arg(key, expectedText(expected), location(at)));
}

JsonCodingError JsonCodingError::notFinite(const JsonPath &at, const QString &key)
{
    return JsonCodingError(
        LanguageManager::choose(u"The value of “%1” is not a finite number (%2)."_s,
            u"Значение «%1» — не конечное число (%2)."_s)
            .arg(key, location(at)));
}

JsonCodingError JsonCodingError::brokenText(const JsonPath &at, const QString &key)
{
    return JsonCodingError(
        LanguageManager::choose(u"The value of “%1” holds a broken character (%2)."_s,
            u"Значение «%1» содержит испорченный символ (%2)."_s)
            .arg(key, location(at)));
}

JsonCodingError JsonCodingError::unknownValue(
    const JsonPath &at, const QString &key, const QString &value, const QString &valueKind)
{
    // The value comes from the file: keep a long one from flooding the alert.
    constexpr qsizetype shownLength = 40;
    const QString shown = value.size() > shownLength ? value.left(shownLength) + u'…' : value;
    return JsonCodingError(LanguageManager::choose(
        u"“%1” in “%2” is not a known %3 (%4)."_s, u"«%1» в «%2» — неизвестный %3 (%4)."_s)
                               .arg(shown, key, valueKind, location(at)));
}
