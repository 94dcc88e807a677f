#include "ui/PaintedButton.h"

#include "model/LanguageManager.h"
#include "ui/Palette.h"

#include <QPainter>
#include <QPainterPath>

PaintedButton::PaintedButton(Look look, const Label &label, QWidget *parent)
    : QAbstractButton(parent)
    , m_look(look)
    , m_label(label)
{
    setFont(label.font);
    setCursor(Qt::PointingHandCursor);
}

QSize PaintedButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    int width = metrics.horizontalAdvance(text());
    if (m_label.symbol)
        width += m_label.symbolSize + symbolGap;
    const int height = std::max(metrics.height(), m_label.symbolSize) + 2 * m_label.verticalPadding;
    return { width + 16, height };
}

void PaintedButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QColor labelColor;
    switch (m_look) {
    case Look::filled: {
        QPainterPath shape;
        shape.addRoundedRect(box, 8, 8);
        painter.fillPath(shape, Palette::accent());
        labelColor = Palette::canvas();
        break;
    }
    case Look::outlined: {
        QPainterPath shape;
        shape.addRoundedRect(box, 6, 6);
        QColor fill = LanguageManager::shared().isDark() ? Qt::white : Qt::black;
        fill.setAlphaF(0.05f);
        painter.fillPath(shape, fill);
        QColor outline = Palette::accent();
        outline.setAlphaF(0.25f);
        painter.setPen(QPen(outline, 0.5));
        painter.drawPath(shape);
        labelColor = Palette::primaryText();
        break;
    }
    case Look::plain:
        labelColor = Palette::mutedText();
        break;
    }
    if (isDown())
        painter.setOpacity(0.7);

    const QFontMetrics metrics(font());
    const int textWidth = metrics.horizontalAdvance(text());
    const int symbolWidth = m_label.symbol ? m_label.symbolSize + symbolGap : 0;
    double x = (width() - textWidth - symbolWidth) / 2.0;
    if (m_label.symbol) {
        const QRectF symbolBox(
            x, (height() - m_label.symbolSize) / 2.0, m_label.symbolSize, m_label.symbolSize);
        paintSymbol(painter, *m_label.symbol, symbolBox, labelColor);
        x += symbolWidth;
    }
    painter.setPen(labelColor);
    painter.setFont(font());
    painter.drawText(
        QRectF(x, 0, textWidth + 1, height()), Qt::AlignVCenter | Qt::AlignLeft, text());
}
