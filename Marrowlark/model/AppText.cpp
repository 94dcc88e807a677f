#include "model/AppText.h"

#include "model/LanguageManager.h"

#include <QFile>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

bool inEnglish()
{
    return LanguageManager::shared().isEnglish();
}

QString argumentText(qint64 number)
{
    return QString::number(number);
}

const QString &argumentText(const QString &text)
{
    return text;
}

// A row of the catalogue, filled in one pass so that a parameter holding "%1" stays as it is.
struct Text
{
    const char16_t *english;
    const char16_t *russian;

    template<typename... Arguments>
    QString operator()(const Arguments &...arguments) const
    {
        const QString pattern = QString::fromUtf16(inEnglish() ? english : russian);
        if constexpr (sizeof...(Arguments) == 0)
            return pattern;
        else
            return pattern.arg(argumentText(arguments)...);
    }
};

// Russian has three forms, chosen by the last one and two digits.
const char16_t *russianForm(
    qint64 count, const char16_t *one, const char16_t *few, const char16_t *many)
{
    const qint64 lastDigit = std::abs(count % 10);
    const qint64 lastTwoDigits = std::abs(count % 100);
    if (lastDigit == 1 && lastTwoDigits != 11)
        return one;
    if (lastDigit >= 2 && lastDigit <= 4 && (lastTwoDigits < 12 || lastTwoDigits > 14))
        return few;
    return many;
}

// The long texts live in the resources, one file per text and language.
QString longText(const QString &name)
{
    QFile file(u":/legal/"_s + name + (inEnglish() ? u"-en.txt"_s : u"-ru.txt"_s));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).trimmed();
}

} // namespace

#define TEXT(key, parameters, arguments, english, russian)                                         \
    QString AppText::key parameters { return Text { english, russian } arguments; }
#define COUNTED(key, englishOne, englishMany, russianOne, russianFew, russianMany)                 \
    QString AppText::key(qint64 count)                                                             \
    {                                                                                              \
        return Text { count == 1 ? englishOne : englishMany,                                       \
            russianForm(count, russianOne, russianFew, russianMany) }(count);                       \
    }
#include "model/AppText.def"
#undef TEXT
#undef COUNTED

QString AppText::supportText()
{
    return longText(u"support"_s);
}

QString AppText::licenseAgreementText()
{
    return longText(u"license"_s);
}

QString AppText::privacyPolicyText()
{
    return longText(u"privacy"_s);
}
