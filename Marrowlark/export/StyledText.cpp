#include "export/StyledText.h"

void StyledText::append(QStringView part, const QFont &font, const QColor &color)
{
    if (part.isEmpty())
        return;
    QTextCharFormat format;
    format.setFont(font);
    format.setForeground(color);
    formats.append({ int(text.size()), int(part.size()), format });
    text.append(part);
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
