#pragma once

#include <QByteArray>
#include <QLatin1String>
#include <QString>

#include <exception>

// A position inside a JSON document, chained on the stack while a document is walked and rendered
// only when an error must name it, so that walking large documents allocates nothing for it.
struct JsonPath
{
    const JsonPath *parent = nullptr;
    QLatin1String arrayKey;
    qsizetype index = -1;

    // The element at index of the array held under arrayKey in the object at this position.
    JsonPath element(QLatin1String key, qsizetype elementIndex) const
    {
        return { this, key, elementIndex };
    }

    // "cueLists[0].cues[3]"; empty at the top level.
    QString toString() const;
};

// Why a JSON document could not be read or written, described in the current language for the
// user. Thrown while walking a document and caught where the reading or writing began.
class JsonCodingError : public std::exception
{
public:
    enum class Expected { text, number, boolean, array, object, uuid };

    explicit JsonCodingError(QString description);

    const QString &description() const { return m_description; }
    const char *what() const noexcept override { return m_utf8.constData(); }

    static JsonCodingError emptyDocument();
    static JsonCodingError notJson(qsizetype byteOffset);
    static JsonCodingError nestedTooDeeply();
    static JsonCodingError missingKey(const JsonPath &at, const QString &key);
    static JsonCodingError wrongType(const JsonPath &at, const QString &key, Expected expected);
    static JsonCodingError notFinite(const JsonPath &at, const QString &key);
    // A text with half of a UTF-16 surrogate pair, which JSON escapes can spell but no text holds.
    static JsonCodingError brokenText(const JsonPath &at, const QString &key);
    // valueKind names what the value should be, e.g. "cue type", in the current language.
    static JsonCodingError unknownValue(
        const JsonPath &at, const QString &key, const QString &value, const QString &valueKind);

private:
    QString m_description;
    QByteArray m_utf8;
};
