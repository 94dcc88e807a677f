// Arbitrary UTF-16 text (lone surrogates included) as worksheet names and cell text: names must
// come out acceptable to spreadsheet programs and distinct, and escaped text must read back as
// XML.
#include "export/ExportNames.h"
#include "export/XLSXWriter.h"

#include <QSet>
#include <QXmlStreamReader>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

bool wellPaired(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isLowSurrogate())
            return false;
        if (text[i].isHighSurrogate()) {
            if (i + 1 == text.size() || !text[i + 1].isLowSurrogate())
                return false;
            ++i;
        }
    }
    return true;
}

bool acceptableSheetName(const QString &name)
{
    if (name.isEmpty() || name.size() > maxSheetNameLength || name.startsWith(u'\'')
        || name.endsWith(u'\''))
        return false;
    for (QChar c : name) {
        if (QStringView(u"[]*/\\?:").contains(c) || c.category() == QChar::Other_Control
            || c.unicode() >= 0xFFFE)
            return false;
    }
    return wellPaired(name);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, size_t(text.size()) * sizeof(QChar));

    QStringList names;
    for (const QString &part : text.split(u'|'))
        names.append(sanitizedSheetName(part));
    for (const QString &name : names)
        check(acceptableSheetName(name));
    QSet<QString> folded;
    for (const QString &name : uniquedNames(names)) {
        check(name.size() <= maxSheetNameLength);
        check(!folded.contains(name.toCaseFolded()));
        folded.insert(name.toCaseFolded());
    }

    const QString escaped = XLSXWriter::xmlEscaped(text);
    // The XML reader lets lone surrogates through, so they are looked for here.
    check(wellPaired(escaped));
    QXmlStreamReader reader(QStringLiteral("<a v=\"") + escaped + QStringLiteral("\">") + escaped
        + QStringLiteral("</a>"));
    while (!reader.atEnd())
        reader.readNext();
    check(!reader.hasError());
    return 0;
}
