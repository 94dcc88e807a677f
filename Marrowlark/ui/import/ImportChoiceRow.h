#pragma once

#include <QAbstractButton>

// A selectable row of the workspace and cue-list pickers: a radio or check mark in the accent
// colour, a name taken from outside (drawn as plain text, elided when too long) and an optional
// count at the far end; tinted with the accent colour while checked.
class ImportChoiceRow : public QAbstractButton
{
    Q_OBJECT

public:
    enum class Mark { radio, checkBox };

    ImportChoiceRow(Mark mark, int verticalPadding, QWidget *parent = nullptr);

    void setName(const QString &name);
    QString name() const { return m_name; }
    void setDetail(const QString &detail);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintMark(QPainter &painter, const QRectF &box) const;

    Mark m_mark;
    int m_verticalPadding;
    QString m_name;
    QString m_detail;
};
