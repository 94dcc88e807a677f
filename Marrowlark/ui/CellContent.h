#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QTextLayout>

#include <memory>

class QPainter;

// What one table cell draws: texts laid out with QTextLayout and the rounded backgrounds of chips,
// placed from the top-left corner of the cell's content area. Built, measured and drawn from the
// same layouts, so a row's height always covers what is painted in it.
struct CellContent
{
    struct Text
    {
        QPointF position;
        std::shared_ptr<const QTextLayout> layout;
        QColor color;
    };
    struct Chip
    {
        QRectF rect;
        QColor fill;
        qreal radius = 0;
    };

    QList<Chip> chips;
    QList<Text> texts;
    qreal width = 0;
    qreal height = 0;

    void draw(QPainter &painter, QPointF origin) const;

    // No cell lays out more of a text than this many UTF-16 units: a word without break
    // opportunities wraps character by character, at a cost that grows with the square of its
    // length.
    static constexpr qsizetype textLimit = 4000;
    // What a cell lays out of a text: all of it, or its first limit units (never half of a
    // surrogate pair) followed by "…".
    static QString shownText(const QString &text, qsizetype limit = textLimit);

    // Lays out text wrapped at width (at its natural width when width is 0); the formats override
    // the font over their ranges. Line feeds break lines.
    static std::shared_ptr<const QTextLayout> layoutText(QString text, const QFont &font,
        qreal width, const QList<QTextLayout::FormatRange> &formats = {});
    static qreal textHeight(const QTextLayout &layout);
    static qreal textWidth(const QTextLayout &layout);

    // Appends text at (x, y) and returns its height.
    qreal addText(QPointF position, std::shared_ptr<const QTextLayout> layout, const QColor &color);
    // Appends another content moved by offset.
    void place(const CellContent &other, QPointF offset);
    // Appends another content below the current one, spacing apart when both have something.
    void stackBelow(const CellContent &other, qreal spacing);
    bool isEmpty() const { return chips.isEmpty() && texts.isEmpty(); }
};
