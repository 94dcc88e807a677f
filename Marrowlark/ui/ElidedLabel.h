#pragma once

#include <QLabel>

// One line of plain text from outside, such as a project's name: shown whole where it fits, else
// cut at its end with "…". Its text never sets the minimum width of the window around it.
class ElidedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget *parent = nullptr);

    // The text as drawn at the label's present width.
    QString shownText() const;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
