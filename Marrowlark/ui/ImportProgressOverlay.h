#pragma once

#include <QWidget>

class QLabel;

// A dimmed layer over the whole window with a centred card: a busy indicator, a title and a
// status line ("Please wait..." when the status is empty). It takes every click meant for the
// window below. Runs no logic of its own.
class ImportProgressOverlay : public QWidget
{
    Q_OBJECT

public:
    ImportProgressOverlay(const QString &title, const QString &statusText, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void refresh();

    QString m_statusText;
    QWidget *m_card;
    QLabel *m_title;
    QLabel *m_status;
};
