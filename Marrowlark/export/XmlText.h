#pragma once

#include <QString>
#include <QStringView>

// Whether XML 1.0 can hold the code point at all (tab, line feed, carriage return and everything
// from U+0020 except surrogates, U+FFFE and U+FFFF). A lone surrogate arrives as its own value.
constexpr bool isXmlCharacter(char32_t codePoint)
{
    return codePoint == 0x9 || codePoint == 0xA || codePoint == 0xD
        || (codePoint >= 0x20 && codePoint <= 0xD7FF)
        || (codePoint >= 0xE000 && codePoint <= 0xFFFD)
        || (codePoint >= 0x10000 && codePoint <= 0x10FFFF);
}

// Calls visit(codePoint, units) for every code point of the text in order; a lone surrogate is
// visited as a code point of its own.
template <typename Visit> void forEachCodePoint(QStringView text, Visit visit)
{
    for (qsizetype i = 0; i < text.size();) {
        const QChar unit = text[i];
        if (unit.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            visit(QChar::surrogateToUcs4(unit, text[i + 1]), text.sliced(i, 2));
            i += 2;
        } else {
            visit(char32_t(unit.unicode()), text.sliced(i, 1));
            ++i;
        }
    }
}

// The text without the code points that keep(codePoint) refuses, the others in order.
template <typename Keep> QString keptCodePoints(QStringView text, Keep keep)
{
    QString kept;
    kept.reserve(text.size());
    forEachCodePoint(text, [&](char32_t codePoint, QStringView units) {
        if (keep(codePoint))
            kept.append(units);
    });
    return kept;
}
