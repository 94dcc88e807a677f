#include "ui/Palette.h"

#include "model/LanguageManager.h"

namespace {

bool dark()
{
    return LanguageManager::shared().isDark();
}

QColor grey(float darkValue, float lightValue)
{
    const float value = dark() ? darkValue : lightValue;
    return QColor::fromRgbF(value, value, value);
}

} // namespace

namespace Palette {

QColor accent()
{
    return dark() ? QColor::fromRgbF(0.902f, 0.827f, 0.416f)
                  : QColor::fromRgbF(0.72f, 0.62f, 0.15f);
}

QColor primaryText()
{
    return grey(0.91f, 0.1f);
}
QColor mutedText()
{
    return grey(0.604f, 0.45f);
}
QColor line()
{
    return grey(0.165f, 0.85f);
}
QColor panel()
{
    return grey(0.071f, 0.98f);
}
QColor canvas()
{
    return grey(0.031f, 0.965f);
}

} // namespace Palette
