#include "export/ExportNames.h"

#include "export/XmlText.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <QTextBoundaryFinder>

namespace {

// The longest prefix of at most maxUnits UTF-16 units that ends between two characters.
QString leftCharacters(const QString &text, qsizetype maxUnits)
{
    if (text.size() <= maxUnits)
        return text;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    finder.setPosition(maxUnits);
    if (!finder.isAtBoundary())
        finder.toPreviousBoundary();
    return text.left(qMax<qsizetype>(finder.position(), 0));
}

// The first count user-perceived characters.
QString firstCharacters(const QString &text, int count)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (int i = 0; i < count; ++i) {
        if (finder.toNextBoundary() < 0)
            return text;
    }
    return text.left(finder.position());
}

// Apostrophes may not open or close a worksheet name; trimming one can expose blanks and the
// other way round.
QString trimmedSheetName(QString name)
{
    for (;;) {
        name = name.trimmed();
        qsizetype start = 0;
        qsizetype end = name.size();
        while (start < end && name.at(start) == u'\'')
            ++start;
        while (end > start && name.at(end - 1) == u'\'')
            --end;
        if (start == 0 && end == name.size())
            return name;
        name = name.mid(start, end - start);
    }
}

bool isFileNameCharacter(char32_t codePoint)
{
    if (codePoint == U'/' || codePoint == U':' || codePoint == U'\\')
        return false;
    if (QChar::isSurrogate(codePoint) || QChar::isNonCharacter(codePoint))
        return false;
    switch (QChar::category(codePoint)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_NotAssigned:
        return false;
    default:
        return true;
    }
}

bool isSheetNameCharacter(char32_t codePoint)
{
    static const QString forbidden = QStringLiteral("[]*/\\?:");
    if (codePoint < 0x10000 && forbidden.contains(QChar(char16_t(codePoint))))
        return false;
    return isXmlCharacter(codePoint) && QChar::category(codePoint) != QChar::Other_Control;
}

template <typename Keep> QString filtered(QStringView text, Keep keep)
{
    QString result;
    result.reserve(text.size());
    forEachCodePoint(text, [&](char32_t codePoint, QStringView units) {
        if (keep(codePoint))
            result.append(units);
    });
    return result;
}

} // namespace

QString sanitizedFileName(QStringView name)
{
    const QString kept = filtered(name, isFileNameCharacter).trimmed();
    if (kept.isEmpty())
        return QStringLiteral("Untitled");
    return firstCharacters(kept, 100);
}

QString sanitizedSheetName(QStringView name)
{
    QString kept = trimmedSheetName(filtered(name, isSheetNameCharacter));
    if (kept.size() > maxSheetNameLength)
        kept = trimmedSheetName(leftCharacters(kept, maxSheetNameLength));
    return kept.isEmpty() ? QStringLiteral("Sheet") : kept;
}

QStringList uniquedNames(const QStringList &names)
{
    QSet<QString> taken;
    // The next count to try per name, so many repeats of one name stay linear.
    QHash<QString, int> nextCount;
    QStringList result;
    result.reserve(names.size());
    for (const QString &name : names) {
        const QString key = name.toCaseFolded();
        if (!taken.contains(key)) {
            taken.insert(key);
            result.append(name);
            continue;
        }
        int count = nextCount.value(key, 2);
        QString candidate;
        for (;; ++count) {
            const QString suffix = u' ' + QString::number(count);
            candidate = leftCharacters(name, maxSheetNameLength - suffix.size()) + suffix;
            if (!taken.contains(candidate.toCaseFolded()))
                break;
        }
        nextCount.insert(key, count + 1);
        taken.insert(candidate.toCaseFolded());
        result.append(candidate);
    }
    return result;
}

QString appVersionString()
{
    const QString version = QCoreApplication::applicationVersion();
    return version.isEmpty() ? QStringLiteral("1.0") : version;
}
