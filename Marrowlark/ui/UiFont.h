#pragma once

#include <QFont>

// The application font at a fixed size in points (one point is one device-independent pixel;
// halves round up) with an explicit weight; never a platform text style.
QFont uiFont(double points, QFont::Weight weight = QFont::Normal);
