#include "ui/LegalTextView.h"

#include "model/LanguageManager.h"
#include "ui/LinkedText.h"
#include "ui/Palette.h"
#include "ui/Symbols.h"
#include "ui/UiFont.h"

#include <QLabel>
#include <QTextBrowser>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

LegalTextView::LegalTextView(const QString &title, const QString &content, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_content(content)
{
    setAttribute(Qt::WA_DeleteOnClose);
    // The program ends with the main window, whether or not this one is still open.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(title);
    resize(500, 560);
    setMinimumSize(400, 400);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addSpacing(24);
    layout->addWidget(
        new SymbolView(Symbol::document, 30, &Palette::accent, this), 0, Qt::AlignHCenter);
    layout->addSpacing(8);
    m_title = new QLabel(title, this);
    m_title->setTextFormat(Qt::PlainText);
    m_title->setFont(uiFont(15, QFont::Bold));
    m_title->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_title);
    layout->addSpacing(16);
    layout->addWidget(new Divider(this));

    m_text = new QTextBrowser(this);
    m_text->setObjectName(u"legalText"_s);
    m_text->setFrameShape(QFrame::NoFrame);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setOpenExternalLinks(true);
    m_text->viewport()->setAutoFillBackground(false);
    layout->addWidget(m_text, 1);

    connect(
        &LanguageManager::shared(), &LanguageManager::isDarkChanged, this, &LegalTextView::recolor);
    recolor();
}

void LegalTextView::recolor()
{
    QPalette titlePalette = m_title->palette();
    titlePalette.setColor(QPalette::WindowText, Palette::primaryText());
    m_title->setPalette(titlePalette);
    QColor textColor = Palette::primaryText();
    textColor.setAlphaF(0.85f);
    setLinkedText(
        *m_text, m_content, { uiFont(12), textColor, Palette::accent(), 4, { 28, 18, 28, 18 } });
}
