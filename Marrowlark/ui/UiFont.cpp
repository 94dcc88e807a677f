#include "ui/UiFont.h"

#include <QGuiApplication>

#include <cmath>

QFont uiFont(double points, QFont::Weight weight)
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(int(std::lround(points)));
    font.setWeight(weight);
    return font;
}
