#pragma once

#include <QColor>

// The six colour roles every view shares. Each reads LanguageManager::shared().isDark() at the
// moment it is called, so a view that asks while painting follows a theme change at once.
namespace Palette {

QColor accent();
QColor primaryText();
QColor mutedText();
QColor line();
QColor panel();
QColor canvas();

} // namespace Palette
