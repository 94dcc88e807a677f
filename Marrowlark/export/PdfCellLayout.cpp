#include "export/PdfCellLayout.h"

#include <QPainter>
#include <QTextOption>

#include <algorithm>

PdfCellLayout::PdfCellLayout(
    const StyledText &text, qreal width, const QFont &defaultFont, const QPaintDevice *device)
{
    if (text.isEmpty())
        return;

    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);

    const QList<StyledText> lines = text.splitLines();
    m_layouts.reserve(lines.size());
    for (const StyledText &line : lines) {
        auto layout = std::make_unique<QTextLayout>(line.text, defaultFont, device);
        layout->setTextOption(option);
        layout->setFormats(line.formats);
        layout->beginLayout();
        qreal y = 0;
        for (QTextLine visual = layout->createLine(); visual.isValid();
             visual = layout->createLine()) {
            visual.setLineWidth(width);
            visual.setPosition(QPointF(0, y));
            y += visual.height();
            m_heightPrefix.append(m_heightPrefix.constLast() + visual.height());
        }
        layout->endLayout();
        m_lineStarts.append(int(m_heightPrefix.size()) - 1);
        m_layouts.push_back(std::move(layout));
    }
}

PdfCellLayout::~PdfCellLayout() = default;
PdfCellLayout::PdfCellLayout(PdfCellLayout &&) noexcept = default;
PdfCellLayout &PdfCellLayout::operator=(PdfCellLayout &&) noexcept = default;

void PdfCellLayout::draw(QPainter *painter, QPointF topLeft, int first, int last) const
{
    last = std::min(last, visualLineCount());
    if (first >= last)
        return;
    // The line holding the first visual line: the last whose start is not after it.
    auto owner = std::upper_bound(m_lineStarts.cbegin(), m_lineStarts.cend(), first) - 1;
    const qreal shift = m_heightPrefix[first];
    for (int v = first; v < last; ++v) {
        while (*(owner + 1) <= v)
            ++owner;
        const int index = int(owner - m_lineStarts.cbegin());
        const QTextLine visual = m_layouts[size_t(index)]->lineAt(v - *owner);
        // A line's own position counts from the top of its layout, whose top lies at the height of
        // every visual line before it.
        const qreal layoutTop = m_heightPrefix[*owner] - shift;
        visual.draw(painter, topLeft + QPointF(0, layoutTop));
    }
}
