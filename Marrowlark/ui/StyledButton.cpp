#include "ui/StyledButton.h"

#include <QFontMetrics>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>

namespace {

QFont symbolFont(const StyledButton::Look &look)
{
    QFont font = look.font;
    font.setPixelSize(look.symbolPixelSize);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    return font;
}

} // namespace

StyledButton::StyledButton(LookFunction look, QWidget *parent)
    : QAbstractButton(parent)
    , m_look(std::move(look))
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void StyledButton::setMenu(QMenu *menu)
{
    m_menu = menu;
    connect(this, &QAbstractButton::clicked, menu,
        [this] { m_menu->popup(mapToGlobal(QPoint(0, height()))); });
}

QSize StyledButton::sizeHint() const
{
    const Look current = look();
    const QFontMetrics textMetrics(current.font);
    const QFontMetrics symbolMetrics(symbolFont(current));
    int width = text().isEmpty() ? 0 : textMetrics.horizontalAdvance(text());
    int height = text().isEmpty() ? 0 : textMetrics.height();
    if (!current.symbol.isEmpty()) {
        width += symbolMetrics.horizontalAdvance(current.symbol)
            + (text().isEmpty() ? 0 : current.spacing);
        height = std::max(height, symbolMetrics.height());
    }
    return QSize(width, height).grownBy(current.padding);
}

void StyledButton::paintEvent(QPaintEvent *)
{
    const Look current = look();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF box = QRectF(rect()).adjusted(0.25, 0.25, -0.25, -0.25);
    QPainterPath shape;
    shape.addRoundedRect(box, current.cornerRadius, current.cornerRadius);
    if (current.fill.isValid())
        painter.fillPath(shape, current.fill);
    if (current.outline.isValid()) {
        painter.setPen(QPen(current.outline, 0.5));
        painter.drawPath(shape);
    }
    if (hasFocus()) {
        painter.setPen(QPen(current.foreground, 1, Qt::DotLine));
        painter.drawPath(shape);
    }

    const QRect content = rect().marginsRemoved(current.padding);
    const QFontMetrics symbolMetrics(symbolFont(current));
    const int symbolWidth
        = current.symbol.isEmpty() ? 0 : symbolMetrics.horizontalAdvance(current.symbol);
    const int gap = current.symbol.isEmpty() || text().isEmpty() ? 0 : current.spacing;
    const int textWidth = QFontMetrics(current.font).horizontalAdvance(text());
    int x = content.left();
    if (!current.leading)
        x += std::max(0, (content.width() - symbolWidth - gap - textWidth) / 2);

    if (!current.symbol.isEmpty()) {
        painter.setPen(current.symbolColour.isValid() ? current.symbolColour : current.foreground);
        painter.setFont(symbolFont(current));
        painter.drawText(QRect(x, content.top(), symbolWidth, content.height()),
            Qt::AlignVCenter | Qt::AlignLeft, current.symbol);
        x += symbolWidth + gap;
    }
    painter.setPen(current.foreground);
    painter.setFont(current.font);
    const QRect textRect(x, content.top(), content.right() - x + 1, content.height());
    painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
        QFontMetrics(current.font).elidedText(text(), Qt::ElideRight, textRect.width()));
}
