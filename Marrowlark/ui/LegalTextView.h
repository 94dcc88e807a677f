#pragma once

#include <QWidget>

class QLabel;
class QTextBrowser;

// A window showing one legal text with its links. Title and text are fixed when it is built, in
// the language of that moment; only the colours follow the theme.
class LegalTextView : public QWidget
{
    Q_OBJECT

public:
    LegalTextView(const QString &title, const QString &content, QWidget *parent = nullptr);

    const QString &content() const { return m_content; }

private:
    void recolor();

    QString m_content;
    QLabel *m_title;
    QTextBrowser *m_text;
};
