#include "ui/CellContent.h"

#include <QPainter>
#include <QPainterPath>

#include <limits>

void CellContent::draw(QPainter &painter, QPointF origin) const
{
    painter.setPen(Qt::NoPen);
    for (const Chip &chip : chips) {
        painter.setBrush(chip.fill);
        painter.drawRoundedRect(chip.rect.translated(origin), chip.radius, chip.radius);
    }
    painter.setBrush(Qt::NoBrush);
    for (const Text &text : texts) {
        painter.setPen(text.color);
        text.layout->draw(&painter, origin + text.position);
    }
}

QString CellContent::shownText(const QString &text, qsizetype limit)
{
    if (text.size() <= limit)
        return text;
    qsizetype kept = limit;
    if (kept > 0 && text[kept].isLowSurrogate() && text[kept - 1].isHighSurrogate())
        --kept;
    return text.first(kept) + QChar(0x2026);
}

std::shared_ptr<const QTextLayout> CellContent::layoutText(
    QString text, const QFont &font, qreal width, const QList<QTextLayout::FormatRange> &formats)
{
    // One layout for every line of a text: a line separator keeps the offsets of the line feed.
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    auto layout = std::make_shared<QTextLayout>(text, font);
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout->setTextOption(option);
    layout->setFormats(formats);
    layout->setCacheEnabled(true);
    const qreal lineWidth = width > 0 ? width : std::numeric_limits<qreal>::max() / 4;
    qreal y = 0;
    layout->beginLayout();
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLineWidth(lineWidth);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout->endLayout();
    return layout;
}

qreal CellContent::textHeight(const QTextLayout &layout)
{
    const int count = layout.lineCount();
    if (count == 0)
        return 0;
    const QTextLine last = layout.lineAt(count - 1);
    return last.y() + last.height();
}

qreal CellContent::textWidth(const QTextLayout &layout)
{
    qreal widest = 0;
    for (int i = 0; i < layout.lineCount(); ++i)
        widest = qMax(widest, layout.lineAt(i).naturalTextWidth());
    return widest;
}

qreal CellContent::addText(
    QPointF position, std::shared_ptr<const QTextLayout> layout, const QColor &color)
{
    const qreal height = textHeight(*layout);
    width = qMax(width, position.x() + textWidth(*layout));
    this->height = qMax(this->height, position.y() + height);
    texts.append({ position, std::move(layout), color });
    return height;
}

void CellContent::place(const CellContent &other, QPointF offset)
{
    for (Chip chip : other.chips) {
        chip.rect.translate(offset);
        chips.append(chip);
    }
    for (Text text : other.texts) {
        text.position += offset;
        texts.append(text);
    }
    width = qMax(width, offset.x() + other.width);
    height = qMax(height, offset.y() + other.height);
}

void CellContent::stackBelow(const CellContent &other, qreal spacing)
{
    if (other.isEmpty())
        return;
    place(other, QPointF(0, isEmpty() ? 0 : height + spacing));
}
