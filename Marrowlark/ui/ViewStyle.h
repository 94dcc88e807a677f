#pragma once

#include <QColor>
#include <QFont>

#include <functional>

class QObject;
class QPainter;
class QRect;
class QWidget;

// Small habits the main window's views share on top of the palette.
namespace ViewStyle {

// The application font at a size in points, with a weight and letter tracking in points.
QFont font(int points, QFont::Weight weight = QFont::Normal, qreal tracking = 0);

// White in the dark theme, black in the light one, at an opacity: the faint fills and outlines
// that sit on panels in either theme.
QColor contrastTint(qreal opacity);
QColor withOpacity(QColor colour, qreal opacity);

// The colour a label, button or field draws its text in.
void setForeground(QWidget *widget, const QColor &colour);

// Runs relabel and recolour once now and again whenever the interface language or the dark
// flag changes, for as long as context lives.
void followLanguageAndTheme(
    QObject *context, const std::function<void()> &relabel, const std::function<void()> &recolour);

// A bar's background in the panel colour with a hairline rule (one device pixel) in the line
// colour along its top or bottom edge.
enum class RuleEdge { top, bottom };
void paintBar(QPainter &painter, const QRect &rect, RuleEdge edge);

// A rounded box filled with fill and outlined with a half-point hairline in line.
void paintRoundedBox(
    QPainter &painter, const QRect &rect, qreal radius, const QColor &fill, const QColor &line);

} // namespace ViewStyle
