#include "ui/LinkedText.h"

#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlockFormat>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

using namespace Qt::StringLiterals;

QList<TextLink> findLinks(const QString &text)
{
    static const QRegularExpression address(
        u"https?://[^\\s]+"_s, QRegularExpression::UseUnicodePropertiesOption);
    QList<TextLink> links;
    for (const QRegularExpressionMatch &match : address.globalMatch(text)) {
        const QUrl url(match.captured(), QUrl::StrictMode);
        if (url.isValid() && !url.host().isEmpty())
            links.append({ match.capturedStart(), match.capturedLength(), url });
    }
    return links;
}

void setLinkedText(QTextBrowser &view, const QString &text, const TextLook &look)
{
    const int scrolled = view.verticalScrollBar()->value();
    QTextDocument &document = *view.document();
    document.clear();
    document.setDefaultFont(look.font);
    document.setDocumentMargin(0);
    QTextFrameFormat frame = document.rootFrame()->frameFormat();
    frame.setLeftMargin(look.padding.left());
    frame.setTopMargin(look.padding.top());
    frame.setRightMargin(look.padding.right());
    frame.setBottomMargin(look.padding.bottom());
    document.rootFrame()->setFrameFormat(frame);
    QTextCursor cursor(&document);
    QTextBlockFormat block;
    block.setLineHeight(look.lineSpacing, QTextBlockFormat::LineDistanceHeight);
    cursor.setBlockFormat(block);

    QTextCharFormat plain;
    plain.setForeground(look.textColor);
    // Line breaks become paragraphs of their own, each with the same spacing.
    const auto insert = [&](QStringView part, const QTextCharFormat &format) {
        const QList<QStringView> lines = part.split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                cursor.insertBlock(block);
            cursor.insertText(lines.at(i).toString(), format);
        }
    };

    qsizetype position = 0;
    for (const TextLink &link : findLinks(text)) {
        insert(QStringView(text).mid(position, link.start - position), plain);
        QTextCharFormat anchor = plain;
        anchor.setForeground(look.linkColor);
        anchor.setAnchor(true);
        anchor.setAnchorHref(link.url.toString());
        anchor.setFontUnderline(true);
        insert(QStringView(text).mid(link.start, link.length), anchor);
        position = link.start + link.length;
    }
    insert(QStringView(text).mid(position), plain);
    // Filling leaves the view at the end.
    view.setTextCursor(QTextCursor(&document));
    view.verticalScrollBar()->setValue(scrolled);
}
