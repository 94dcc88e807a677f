#include "ui/import/ImportErrorView.h"

#include "import/ImportState.h"
#include "model/AppText.h"
#include "ui/import/ImportStyle.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

using ImportStyle::ButtonStyle;
using ImportStyle::Emphasis;

ImportErrorView::ImportErrorView(
    std::function<void()> onRetry, std::function<void()> onDismiss, QWidget *parent)
    : ImportPage(Activation::bringToFront, parent)
    , m_symbol(ImportStyle::symbol(this, QStringLiteral("\u26A0"), 42))
    , m_title(ImportStyle::label(this, 18, QFont::DemiBold))
    , m_message(ImportStyle::label(nullptr, 13))
    , m_close(ImportStyle::button(this, "errorCloseButton", ButtonStyle::bordered))
    , m_retry(ImportStyle::button(this, "errorRetryButton", ButtonStyle::prominent))
{
    m_message->setObjectName(QStringLiteral("errorMessage"));
    m_message->setWordWrap(true);
    m_message->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_retry->setDefault(true);
    connect(m_close, &QPushButton::clicked, this, std::move(onDismiss));
    connect(m_retry, &QPushButton::clicked, this, std::move(onRetry));

    // A long message scrolls inside the fixed sheet instead of pushing the buttons out.
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("errorMessageScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(m_message);
    scroll->viewport()->setAutoFillBackground(false);
    m_message->setAutoFillBackground(false);

    QBoxLayout *buttons = ImportStyle::centredRow(12, { m_close, m_retry });
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(20);
    layout->setContentsMargins(40, 16, 40, 16);
    layout->addStretch();
    layout->addWidget(m_symbol);
    layout->addWidget(m_title);
    layout->addWidget(scroll);
    layout->addLayout(buttons);
    layout->addStretch();
}

void ImportErrorView::showState(const ImportState &state)
{
    m_message->setText(state.text());
}

void ImportErrorView::retranslate()
{
    m_title->setText(AppText::importFailed());
    m_close->setText(AppText::closeButton());
    m_retry->setText(AppText::retryButton());
    ImportStyle::setColor(m_symbol, QColor(255, 59, 48));
    ImportStyle::setColor(m_title, ImportStyle::textColor(Emphasis::primary));
    ImportStyle::setColor(m_message, ImportStyle::textColor(Emphasis::secondary));
    ImportStyle::applyStyle(m_retry, ButtonStyle::prominent);
}
