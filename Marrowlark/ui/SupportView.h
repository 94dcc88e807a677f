#pragma once

#include <QUrl>
#include <QWidget>

class QLabel;
class QTextBrowser;
class PaintedButton;

// The support window's content and window: a thank-you note with a tip button and a channel
// button. Its texts follow the interface language while it is open; the window title is set by
// whoever opens it.
class SupportView : public QWidget
{
    Q_OBJECT

public:
    explicit SupportView(QWidget *parent = nullptr);

    static const QUrl tipURL;
    static const QUrl channelURL;

signals:
    // Once, when the window closes by its close box or by "Close".
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void refresh();

    QLabel *m_title;
    QTextBrowser *m_body;
    PaintedButton *m_tipButton;
    PaintedButton *m_channelButton;
    PaintedButton *m_closeButton;
    bool m_closed = false;
};
