#pragma once

#include <QColor>
#include <QWidget>

class QPainter;

// The few symbols the side windows show, drawn as shapes so that no icon font is needed.
enum class Symbol {
    heart,
    cup,
    paperPlane,
    document,
};

// Fills the symbol, centred and as large as fits, into box.
void paintSymbol(QPainter &painter, Symbol symbol, const QRectF &box, const QColor &color);

// A palette colour, read when painting so that a theme change repaints in the new colour.
using ColorRole = QColor (*)();

// A square symbol of a fixed size in a palette colour.
class SymbolView : public QWidget
{
public:
    SymbolView(Symbol symbol, int size, ColorRole color, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Symbol m_symbol;
    ColorRole m_color;
};

// A horizontal hairline in the line colour.
class Divider : public QWidget
{
public:
    explicit Divider(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
