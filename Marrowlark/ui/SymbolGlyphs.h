#pragma once

#include <QString>

// Text glyphs (all in DejaVu Sans) that stand in for the desktop symbols the views show.
namespace SymbolGlyphs {

inline const QString number = QStringLiteral("#");
inline const QString importArrow = QStringLiteral("\u2913");
inline const QString sparkles = QStringLiteral("\u2726");
inline const QString wand = QStringLiteral("\u2727");
inline const QString arrowUpToLine = QStringLiteral("\u2912");
inline const QString arrowUpDocument = QStringLiteral("\u21E7");
inline const QString trash = QStringLiteral("\u2715");
inline const QString folder = QStringLiteral("\u25A4");
inline const QString exportArrow = QStringLiteral("\u2934");
inline const QString magnifyingGlass = QStringLiteral("\u2315");
inline const QString clearField = QStringLiteral("\u2297");
inline const QString bolt = QStringLiteral("\u26A1");
inline const QString listBullet = QStringLiteral("\u2630");
inline const QString gear = QStringLiteral("\u2699");
inline const QString checkedBox = QStringLiteral("\u2611");
inline const QString emptyBox = QStringLiteral("\u2610");

} // namespace SymbolGlyphs
