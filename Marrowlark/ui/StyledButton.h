#pragma once

#include <QAbstractButton>
#include <QFont>
#include <QMargins>

#include <functional>

class QMenu;

// A plain button whose whole look (fill, outline, colours, font, symbol glyph) comes from a
// function asked at every paint, so colours read from the palette follow the theme on the next
// repaint.
class StyledButton : public QAbstractButton
{
    Q_OBJECT

public:
    struct Look
    {
        QString symbol;
        int symbolPixelSize = 10;
        QFont font;
        QColor foreground;
        // The symbol's own colour; invalid draws it in the foreground.
        QColor symbolColour;
        // An invalid colour draws no fill or no outline.
        QColor fill;
        QColor outline;
        QMargins padding;
        int spacing = 5;
        qreal cornerRadius = 4;
        // Symbol and title at the leading edge rather than centred.
        bool leading = false;
    };
    using LookFunction = std::function<Look(const StyledButton &)>;

    explicit StyledButton(LookFunction look, QWidget *parent = nullptr);

    // One of several exclusive choices side by side: the chosen one filled with the accent.
    static Look segmentLook(bool chosen);

    Look look() const { return m_look(*this); }
    // Opens the menu under the button on a click.
    void setMenu(QMenu *menu);
    QMenu *menu() const { return m_menu; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    LookFunction m_look;
    QMenu *m_menu = nullptr;
};
