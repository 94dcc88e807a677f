#include "ui/SupportView.h"

#include "model/AppText.h"
#include "model/LanguageManager.h"
#include "ui/LinkedText.h"
#include "ui/PaintedButton.h"
#include "ui/Palette.h"
#include "ui/Symbols.h"
#include "ui/UiFont.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QLabel>
#include <QTextBrowser>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

const QUrl SupportView::tipURL(u"https://marrowlark.example/tip"_s);
const QUrl SupportView::channelURL(u"https://marrowlark.example/channel"_s);

namespace {

QColor bodyTextColor()
{
    QColor color = Palette::primaryText();
    color.setAlphaF(0.85f);
    return color;
}

} // namespace

SupportView::SupportView(QWidget *parent)
    : QWidget(parent,
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(u"supportWindow"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    // The program ends with the main window, whether or not this one is still open.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(380, 460);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    layout->addSpacing(28);
    layout->addWidget(
        new SymbolView(Symbol::heart, 36, &Palette::accent, this), 0, Qt::AlignHCenter);
    layout->addSpacing(8);
    m_title = new QLabel(this);
    m_title->setFont(uiFont(16, QFont::Bold));
    m_title->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_title);
    layout->addSpacing(18);

    layout->addWidget(new Divider(this));
    m_body = new QTextBrowser(this);
    m_body->setObjectName(u"supportText"_s);
    m_body->setFrameShape(QFrame::NoFrame);
    m_body->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_body->setTextInteractionFlags(Qt::NoTextInteraction);
    m_body->viewport()->setAutoFillBackground(false);
    layout->addWidget(m_body, 1);
    layout->addWidget(new Divider(this));

    auto *buttons = new QVBoxLayout;
    buttons->setContentsMargins(28, 16, 28, 0);
    buttons->setSpacing(12);
    m_tipButton = new PaintedButton(
        PaintedButton::Look::filled, { uiFont(14, QFont::Bold), Symbol::cup, 16, 12 }, this);
    m_tipButton->setObjectName(u"tipButton"_s);
    connect(
        m_tipButton, &QAbstractButton::clicked, this, [] { QDesktopServices::openUrl(tipURL); });
    buttons->addWidget(m_tipButton);
    m_channelButton = new PaintedButton(PaintedButton::Look::outlined,
        { uiFont(12, QFont::Medium), Symbol::paperPlane, 13, 9 }, this);
    m_channelButton->setObjectName(u"channelButton"_s);
    connect(m_channelButton, &QAbstractButton::clicked, this,
        [] { QDesktopServices::openUrl(channelURL); });
    buttons->addWidget(m_channelButton);
    layout->addLayout(buttons);

    layout->addSpacing(16);
    m_closeButton = new PaintedButton(PaintedButton::Look::plain, { uiFont(11), {}, 0, 2 }, this);
    m_closeButton->setObjectName(u"supportCloseButton"_s);
    connect(m_closeButton, &QAbstractButton::clicked, this, &QWidget::close);
    layout->addWidget(m_closeButton, 0, Qt::AlignHCenter);
    layout->addSpacing(18);

    const LanguageManager &lang = LanguageManager::shared();
    connect(&lang, &LanguageManager::currentChanged, this, &SupportView::refresh);
    connect(&lang, &LanguageManager::isDarkChanged, this, &SupportView::refresh);
    refresh();
}

void SupportView::refresh()
{
    m_title->setText(AppText::thankYou());
    QPalette titlePalette = m_title->palette();
    titlePalette.setColor(QPalette::WindowText, Palette::primaryText());
    m_title->setPalette(titlePalette);
    setLinkedText(*m_body, AppText::supportText(),
        { uiFont(12.5), bodyTextColor(), Palette::accent(), 5, { 28, 18, 28, 18 } });
    m_tipButton->setText(AppText::leaveATip());
    m_channelButton->setText(AppText::subscribeToChannel());
    m_closeButton->setText(AppText::closeSupport());
    update();
}

void SupportView::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted() && !std::exchange(m_closed, true))
        emit closed();
}
