#include "ui/Symbols.h"

#include "ui/Palette.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// Each symbol is drawn in a unit box of 24 x 24.
QPainterPath symbolPath(Symbol symbol)
{
    QPainterPath path;
    switch (symbol) {
    case Symbol::heart:
        path.moveTo(12, 21);
        path.cubicTo(4, 15, 1, 11, 2, 7);
        path.cubicTo(3, 3, 9, 2, 12, 6.5);
        path.cubicTo(15, 2, 21, 3, 22, 7);
        path.cubicTo(23, 11, 20, 15, 12, 21);
        break;
    case Symbol::cup: {
        path.addRoundedRect(QRectF(3, 6, 14, 11), 3, 3);
        QPainterPath handle;
        handle.addEllipse(QRectF(14, 8, 7, 7));
        QPainterPath hole;
        hole.addEllipse(QRectF(16, 10, 3, 3));
        path = path.united(handle.subtracted(hole));
        path.addRoundedRect(QRectF(1, 18.5, 20, 2.5), 1.25, 1.25);
        break;
    }
    case Symbol::paperPlane:
        path.moveTo(2, 11);
        path.lineTo(22, 3);
        path.lineTo(16, 21);
        path.lineTo(11, 14);
        path.closeSubpath();
        break;
    case Symbol::document: {
        path.moveTo(5, 2);
        path.lineTo(14, 2);
        path.lineTo(19, 7);
        path.lineTo(19, 22);
        path.lineTo(5, 22);
        path.closeSubpath();
        QPainterPath lines;
        for (int y : { 10, 14, 18 })
            lines.addRect(QRectF(8, y, 8, 1.5));
        path = path.subtracted(lines);
        break;
    }
    }
    return path;
}

} // namespace

void paintSymbol(QPainter &painter, Symbol symbol, const QRectF &box, const QColor &color)
{
    const double side = std::min(box.width(), box.height());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(box.center().x() - side / 2, box.center().y() - side / 2);
    painter.scale(side / 24, side / 24);
    painter.fillPath(symbolPath(symbol), color);
    painter.restore();
}

SymbolView::SymbolView(Symbol symbol, int size, ColorRole color, QWidget *parent)
    : QWidget(parent)
    , m_symbol(symbol)
    , m_color(color)
{
    setFixedSize(size, size);
}

void SymbolView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintSymbol(painter, m_symbol, rect(), m_color());
}

Divider::Divider(QWidget *parent)
    : QWidget(parent)
{
    setFixedHeight(1);
}

void Divider::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), Palette::line());
}
