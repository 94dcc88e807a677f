#include "ui/ViewStyle.h"

#include "model/LanguageManager.h"
#include "ui/Palette.h"
#include "ui/UiFont.h"

#include <QPainter>
#include <QPainterPath>
#include <QWidget>

namespace ViewStyle {

QFont font(int points, QFont::Weight weight, qreal tracking)
{
    QFont result = uiFont(points, weight);
    if (tracking != 0)
        result.setLetterSpacing(QFont::AbsoluteSpacing, tracking);
    return result;
}

QColor contrastTint(qreal opacity)
{
    return withOpacity(LanguageManager::shared().isDark() ? Qt::white : Qt::black, opacity);
}

QColor withOpacity(QColor colour, qreal opacity)
{
    colour.setAlphaF(float(opacity));
    return colour;
}

void setForeground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    for (const QPalette::ColorRole role :
        { QPalette::WindowText, QPalette::Text, QPalette::ButtonText })
        palette.setColor(role, colour);
    widget->setPalette(palette);
}

void followLanguageAndTheme(
    QObject *context, const std::function<void()> &relabel, const std::function<void()> &recolour)
{
    LanguageManager &lang = LanguageManager::shared();
    QObject::connect(&lang, &LanguageManager::currentChanged, context, relabel);
    QObject::connect(&lang, &LanguageManager::isDarkChanged, context, recolour);
    relabel();
    recolour();
}

void paintRoundedBox(
    QPainter &painter, const QRect &rect, qreal radius, const QColor &fill, const QColor &line)
{
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect).adjusted(0.25, 0.25, -0.25, -0.25), radius, radius);
    painter.fillPath(shape, fill);
    painter.setPen(QPen(line, 0.5));
    painter.drawPath(shape);
}

void paintBar(QPainter &painter, const QRect &rect, RuleEdge edge)
{
    painter.fillRect(rect, Palette::panel());
    // One device pixel: a half point rounds to nothing on a screen of one pixel per point.
    const qreal pixel = 1 / painter.device()->devicePixelRatioF();
    const qreal y = edge == RuleEdge::top ? rect.top() : rect.bottom() + 1 - pixel;
    painter.fillRect(QRectF(rect.left(), y, rect.width(), pixel), Palette::line());
}

} // namespace ViewStyle
