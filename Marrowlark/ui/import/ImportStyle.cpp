#include "ui/import/ImportStyle.h"

#include "ui/Palette.h"
#include "ui/UiFont.h"
#include "ui/ViewStyle.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace ImportStyle {

QFont monospacedFont(qreal points, QFont::Weight weight)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(uiFont(points).pixelSize());
    font.setWeight(weight);
    return font;
}

QColor textColor(Emphasis emphasis)
{
    QColor color = Palette::primaryText();
    switch (emphasis) {
    case Emphasis::primary:
        break;
    case Emphasis::secondary:
        color.setAlphaF(0.55f);
        break;
    case Emphasis::tertiary:
        color.setAlphaF(0.35f);
        break;
    case Emphasis::quaternary:
        color.setAlphaF(0.22f);
        break;
    }
    return color;
}

QLabel *label(QWidget *parent, qreal points, QFont::Weight weight)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(uiFont(points, weight));
    return label;
}

QLabel *symbol(QWidget *parent, const QString &glyph, qreal points)
{
    QLabel *symbol = label(parent, points);
    symbol->setText(glyph);
    return symbol;
}

void setColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::ButtonText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

QPushButton *button(QWidget *parent, const char *objectName, ButtonStyle style)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAutoDefault(false);
    applyStyle(button, style);
    return button;
}

void applyStyle(QPushButton *button, ButtonStyle style)
{
    switch (style) {
    case ButtonStyle::plain:
        button->setFlat(true);
        button->setCursor(Qt::PointingHandCursor);
        break;
    case ButtonStyle::bordered:
        break;
    case ButtonStyle::prominent:
        // Disabled, the accent fades into the page in either theme rather than darkening, which
        // on a light page would stand out more than the enabled button.
        button->setStyleSheet(
            QStringLiteral("QPushButton { background: %1; color: %2; border: none;"
                           " border-radius: 5px; padding: 5px 14px; }"
                           "QPushButton:disabled { background: %3; }")
                .arg(Palette::accent().name(), Palette::canvas().name(),
                    ViewStyle::withOpacity(Palette::accent(), 0.4).name(QColor::HexArgb)));
        break;
    }
}

QBoxLayout *centredRow(int spacing, std::initializer_list<QWidget *> widgets)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(spacing);
    row->addStretch();
    for (QWidget *widget : widgets)
        row->addWidget(widget);
    row->addStretch();
    return row;
}

void bringToFront(QWidget *widget)
{
    QWidget *window = widget->window();
    if (window->isActiveWindow())
        return;
    window->raise();
    window->activateWindow();
}

QScrollArea *scrollingRows(QWidget *parent, QVBoxLayout *rowLayout, const QString &objectName)
{
    auto *rows = new QWidget;
    rows->setLayout(rowLayout);
    rows->setAutoFillBackground(false);
    rowLayout->setSpacing(4);
    rowLayout->setContentsMargins(40, 0, 40, 0);
    rowLayout->addStretch();
    auto *scroll = new QScrollArea(parent);
    scroll->setObjectName(objectName);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(rows);
    scroll->viewport()->setAutoFillBackground(false);
    return scroll;
}

} // namespace ImportStyle
