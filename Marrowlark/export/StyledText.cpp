#include "export/StyledText.h"

#include "export/XmlText.h"

#include <vector>

namespace {

constexpr qsizetype tabWidth = 4;

// What a page can show of a text appended where the current line has `column` characters: tabs
// become blanks up to the next tab stop, and characters with no glyph (controls, carriage returns,
// lone surrogates, non-characters) are dropped as the workbook drops them.
QString printable(QStringView part, qsizetype column)
{
    QString shown;
    shown.reserve(part.size());
    forEachCodePoint(part, [&](char32_t codePoint, QStringView units) {
        if (codePoint == U'\t') {
            const qsizetype blanks = tabWidth - column % tabWidth;
            shown.append(QString(blanks, u' '));
            column += blanks;
        } else if (codePoint == U'\n') {
            shown.append(units);
            column = 0;
        } else if (codePoint != U'\r' && isXmlCharacter(codePoint)) {
            shown.append(units);
            column += units.size();
        }
    });
    return shown;
}

// The format of a font and colour. A document uses a handful of them, and making one costs more
// than laying out a short text, so each is made once and shared.
QTextCharFormat charFormat(const QFont &font, const QColor &color)
{
    struct Made
    {
        QFont font;
        QColor color;
        QTextCharFormat format;
    };
    static std::vector<Made> made;
    for (const Made &entry : made) {
        if (entry.color == color && entry.font == font)
            return entry.format;
    }
    // Fonts and colours come from fixed tables; the bound only guards against a caller that
    // makes new ones without end.
    if (made.size() >= 256)
        made.clear();
    QTextCharFormat format;
    format.setFont(font);
    format.setForeground(color);
    made.push_back({ font, color, format });
    return format;
}

} // namespace

void StyledText::append(QStringView part, const QFont &font, const QColor &color)
{
    const qsizetype lineStart = text.lastIndexOf(u'\n') + 1;
    const QString shown = printable(part, text.size() - lineStart);
    if (shown.isEmpty())
        return;
    formats.append({ int(text.size()), int(shown.size()), charFormat(font, color) });
    text.append(shown);
}

void StyledText::appendLineBreak()
{
    text.append(QLatin1Char('\n'));
}

QList<StyledText> StyledText::splitLines() const
{
    if (text.isEmpty())
        return { *this };

    QList<StyledText> lines;
    qsizetype run = 0;
    qsizetype lineStart = 0;
    while (true) {
        qsizetype lineEnd = text.indexOf(QLatin1Char('\n'), lineStart);
        const bool last = lineEnd < 0;
        if (last)
            lineEnd = text.size();

        StyledText line;
        line.text = text.mid(lineStart, lineEnd - lineStart);
        // Runs are ascending, so each is visited once over all lines.
        while (run < formats.size() && formats[run].start + formats[run].length <= lineStart)
            ++run;
        for (qsizetype r = run; r < formats.size() && formats[r].start < lineEnd; ++r) {
            const qsizetype from = qMax<qsizetype>(formats[r].start, lineStart);
            const qsizetype to = qMin<qsizetype>(formats[r].start + formats[r].length, lineEnd);
            if (to > from)
                line.formats.append({ int(from - lineStart), int(to - from), formats[r].format });
        }
        lines.append(std::move(line));
        if (last)
            break;
        lineStart = lineEnd + 1;
    }
    return lines;
}

StyledText StyledText::plain(QStringView text, const QFont &font, const QColor &color)
{
    StyledText styled;
    styled.append(text, font, color);
    return styled;
}
