#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QMarginsF>
#include <QString>
#include <QUrl>

class QTextBrowser;

// A web address found in a text: where it stands (UTF-16 units) and where it leads.
struct TextLink
{
    qsizetype start = 0;
    qsizetype length = 0;
    QUrl url;
};

// Every run that begins "http://" or "https://" and goes on to the next white space, in order,
// when it forms a valid web address; other runs stay plain text.
QList<TextLink> findLinks(const QString &text);

// How a text is set into a document: the font, the text and link colours, the extra space
// between lines and the space around the text, in pixels.
struct TextLook
{
    QFont font;
    QColor textColor;
    QColor linkColor;
    double lineSpacing = 0;
    QMarginsF padding;
};

// Replaces the view's contents with the text set as plain text, its links (findLinks) as anchors
// in the link colour; the reader keeps their place.
void setLinkedText(QTextBrowser &view, const QString &text, const TextLook &look);
