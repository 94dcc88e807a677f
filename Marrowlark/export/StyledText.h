#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringView>
#include <QTextLayout>

// A text whose runs carry a font and a colour, ready for QTextLayout. Runs are ascending and never
// overlap; text between runs (the line feeds that separate lines) carries no format.
struct StyledText
{
    QString text;
    QList<QTextLayout::FormatRange> formats;

    bool isEmpty() const { return text.isEmpty(); }

    // Appends what a page can show of the part: tabs expanded to blanks, characters without a
    // glyph dropped.
    void append(QStringView part, const QFont &font, const QColor &color);
    // A line feed without a format.
    void appendLineBreak();

    // One text per line feed separated line, each keeping its own runs; an empty text is its own
    // only line.
    QList<StyledText> splitLines() const;

    static StyledText plain(QStringView text, const QFont &font, const QColor &color);
};
