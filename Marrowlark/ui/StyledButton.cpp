#include "ui/StyledButton.h"

#include "ui/Palette.h"
#include "ui/ViewStyle.h"
#include <QFontMetricsF>

#include <QMenu>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

// Whole pixels that hold the text, so that it is never cut short at the size the button asks for.
int widthOf(const QFont &font, const QString &text)
{
    return int(std::ceil(QFontMetricsF(font).horizontalAdvance(text)));
}

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

StyledButton::Look StyledButton::segmentLook(bool chosen)
{
    Look look;
    look.font = ViewStyle::font(11, chosen ? QFont::DemiBold : QFont::Normal);
    look.foreground
        = chosen ? Palette::canvas() : ViewStyle::withOpacity(Palette::primaryText(), 0.7);
    look.fill = chosen ? Palette::accent() : ViewStyle::contrastTint(0.05);
    if (!chosen)
        look.outline = ViewStyle::contrastTint(0.08);
    look.padding = QMargins(14, 5, 14, 5);
    return look;
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
    int width = text().isEmpty() ? 0 : widthOf(current.font, text());
    int height = text().isEmpty() ? 0 : QFontMetrics(current.font).height();
    if (!current.symbol.isEmpty()) {
        const QFont font = symbolFont(current);
        width += widthOf(font, current.symbol) + (text().isEmpty() ? 0 : current.spacing);
        height = std::max(height, QFontMetrics(font).height());
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
    // The focus ring only for the keyboard, as the platform's own buttons do.
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        painter.setPen(QPen(current.foreground, 1, Qt::DotLine));
        painter.drawPath(shape);
    }

    const QRect content = rect().marginsRemoved(current.padding);
    const int symbolWidth
        = current.symbol.isEmpty() ? 0 : widthOf(symbolFont(current), current.symbol);
    const int gap = current.symbol.isEmpty() || text().isEmpty() ? 0 : current.spacing;
    const int textWidth = widthOf(current.font, text());
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
