#pragma once

#include "ui/Symbols.h"

#include <QAbstractButton>

#include <optional>

// A plain-style button that draws its own background in palette colours: a filled or outlined
// rounded rectangle, or nothing, with an optional symbol before its text.
class PaintedButton : public QAbstractButton
{
public:
    enum class Look {
        filled, // accent fill, label in the canvas colour
        outlined, // faint fill, accent hairline, label in the primary text colour
        plain, // label in the muted text colour only
    };

    struct Label
    {
        QFont font;
        std::optional<Symbol> symbol;
        int symbolSize = 0;
        int verticalPadding = 0;
    };

    PaintedButton(Look look, const Label &label, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    static constexpr int symbolGap = 10;

    Look m_look;
    Label m_label;
};
