#pragma once

class QPalette;

// The widgets' own colours (windows, fields, buttons, menus, selections) built from the six roles,
// so that the standard controls match the views that paint themselves.
namespace AppTheme {

QPalette palette();
// Sets the application palette now and again on every change of LanguageManager::isDark; every
// open window, side windows included, repaints at once.
void follow();

} // namespace AppTheme
