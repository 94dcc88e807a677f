#pragma once

#include <QStringView>

// QLab 5 as the system and AppleScript address it.
inline constexpr QStringView qlabBundleIdentifier = u"com.figure53.QLab.5";

// Starts QLab 5 or brings it to the front; does nothing where it is not installed.
void openQLabApplication();
