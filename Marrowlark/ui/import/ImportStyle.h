#pragma once

#include <QColor>
#include <QFont>

#include <initializer_list>

class QBoxLayout;
class QScrollArea;
class QVBoxLayout;
class QLabel;
class QPushButton;
class QWidget;

// The look shared by the import sheet's pages: fixed sizes (see uiFont()), labels that never read
// their text as markup, and the three button styles (plain rows and links, bordered secondary
// buttons, the accent-filled confirming button).
namespace ImportStyle {

enum class ButtonStyle { plain, bordered, prominent };
// The platform's label colours: each level is the primary text colour, fainter.
enum class Emphasis { primary, secondary, tertiary, quaternary };

QFont monospacedFont(qreal points, QFont::Weight weight = QFont::Normal);
QColor textColor(Emphasis emphasis);

// Plain text, centred; colour and font stay as given until the next call.
QLabel *label(QWidget *parent, qreal points, QFont::Weight weight = QFont::Normal);
// A large glyph standing for the page's symbol.
QLabel *symbol(QWidget *parent, const QString &glyph, qreal points);
void setColor(QWidget *widget, const QColor &color);

// Never the dialog's default unless a page says so: Return presses only the page's own default.
QPushButton *button(QWidget *parent, const char *objectName, ButtonStyle style);
// Colours follow the theme, so pages call this again from retranslate().
void applyStyle(QPushButton *button, ButtonStyle style);

// The widgets side by side, centred, with spacing between them.
QBoxLayout *centredRow(int spacing, std::initializer_list<QWidget *> widgets);

// The picker rows in a frameless vertical scroll area, so that many of them never push the
// page's buttons off the fixed sheet.
QScrollArea *scrollingRows(QWidget *parent, QVBoxLayout *rowLayout, const QString &objectName);

// Raises the sheet and gives it the keyboard, even while QLab is the active application.
void bringToFront(QWidget *widget);

} // namespace ImportStyle
