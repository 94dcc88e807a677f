#pragma once

#include "export/StyledText.h"

#include <QList>

#include <memory>
#include <vector>

class QPaintDevice;
class QPainter;

// One cell text laid out at a fixed width, every line feed separated line on its own QTextLayout,
// measured once and drawn from the same layout. Visual lines (after wrapping) are numbered over the
// whole cell, so a cell can be cut between any two of them. Units are those of the paint device.
class PdfCellLayout
{
public:
    PdfCellLayout(
        const StyledText &text, qreal width, const QFont &defaultFont, const QPaintDevice *device);
    ~PdfCellLayout();
    PdfCellLayout(PdfCellLayout &&) noexcept;
    PdfCellLayout &operator=(PdfCellLayout &&) noexcept;

    // Line feed separated lines; 0 for an empty text.
    int lineCount() const { return int(m_lineStarts.size()) - 1; }
    int visualLineCount() const { return m_lineStarts.constLast(); }
    // The first visual line of each line, and the visual line count at the end.
    const QList<int> &lineStarts() const { return m_lineStarts; }
    // heightPrefix()[v] is the height of the visual lines before v.
    const QList<qreal> &heightPrefix() const { return m_heightPrefix; }

    // Draws visual lines [first, last) with the top of the first at topLeft.
    void draw(QPainter *painter, QPointF topLeft, int first, int last) const;

private:
    std::vector<std::unique_ptr<QTextLayout>> m_layouts;
    QList<int> m_lineStarts { 0 };
    QList<qreal> m_heightPrefix { 0 };
};
