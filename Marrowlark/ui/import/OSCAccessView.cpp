#include "ui/import/OSCAccessView.h"

#include "import/ImportState.h"
#include "import/ImportStateMachine.h"
#include "model/AppText.h"
#include "model/LanguageManager.h"
#include "qlab/QLabApplication.h"
#include "ui/Palette.h"
#include "ui/UiFont.h"
#include "ui/import/ImportStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using ImportStyle::ButtonStyle;
using Action = ImportStateMachine::OSCAccessAction;

namespace {

QString rgba(QColor color, float alpha)
{
    color.setAlphaF(alpha);
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue())
        .arg(color.alphaF());
}

// The two wide buttons of the first row draw their own look.
QString wideButtonStyle(const QString &text, const QString &background, const QString &border)
{
    return QStringLiteral("QPushButton { color: %1; background: %2; border: %3; border-radius: 5px;"
                          " padding: 7px 0; }"
                          "QPushButton:disabled { color: %4; }")
        .arg(text, background, border, rgba(Palette::mutedText(), 0.6f));
}

} // namespace

OSCAccessView::OSCAccessView(ImportStateMachine &machine, QWidget *parent)
    : ImportPage(Activation::bringToFront, parent)
    , m_machine(machine)
    , m_symbol(ImportStyle::label(this, 26))
    , m_title(ImportStyle::label(this, 14, QFont::DemiBold))
    , m_instructions(ImportStyle::label(this, 11))
    , m_goToQLab(ImportStyle::button(this, "oscGoToQLabButton", ButtonStyle::plain))
    , m_checkWithoutPassword(ImportStyle::button(this, "oscRetryButton", ButtonStyle::plain))
    , m_enterPasscode(ImportStyle::button(this, "oscEnterPasscodeButton", ButtonStyle::plain))
    , m_passwordRow(new QWidget(this))
    , m_password(new QLineEdit(m_passwordRow))
    , m_connect(ImportStyle::button(m_passwordRow, "oscConnectButton", ButtonStyle::prominent))
    , m_skip(ImportStyle::button(this, "oscSkipButton", ButtonStyle::plain))
{
    m_instructions->setObjectName(QStringLiteral("oscInstructions"));
    m_instructions->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_instructions->setWordWrap(true);
    m_instructions->setMargin(8);
    m_password->setObjectName(QStringLiteral("oscPasscodeField"));
    m_password->setMaximumWidth(140);
    m_connect->setFont(uiFont(11));
    // Return in the passcode field connects; without the field Return presses nothing.
    m_connect->setDefault(true);
    m_connect->setEnabled(false);
    m_passwordRow->hide();
    m_passwordRow->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    for (QPushButton *button : { m_goToQLab, m_checkWithoutPassword })
        button->setFont(uiFont(11, QFont::Medium));
    for (QPushButton *button : { m_enterPasscode, m_skip })
        button->setFont(uiFont(11));

    connect(m_goToQLab, &QPushButton::clicked, this, [] { openQLabApplication(); });
    connect(m_checkWithoutPassword, &QPushButton::clicked, this,
        [this] { m_machine.respondToOSCAccess(Action::retry()); });
    connect(m_enterPasscode, &QPushButton::clicked, this, &OSCAccessView::showPasswordField);
    connect(m_password, &QLineEdit::textChanged, this, &OSCAccessView::updateEnabling);
    connect(m_connect, &QPushButton::clicked, this,
        [this] { m_machine.respondToOSCAccess(Action::enterPassword(m_password->text())); });
    connect(m_skip, &QPushButton::clicked, this,
        [this] { m_machine.respondToOSCAccess(Action::skip()); });
    connect(&m_machine, &ImportStateMachine::oscAccessAnswerChanged, this,
        &OSCAccessView::updateEnabling);

    auto *passwordLayout = new QHBoxLayout(m_passwordRow);
    passwordLayout->setContentsMargins(0, 0, 0, 0);
    passwordLayout->setSpacing(6);
    passwordLayout->addWidget(m_password);
    passwordLayout->addWidget(m_connect);

    auto *wideButtons = new QHBoxLayout;
    wideButtons->setSpacing(10);
    wideButtons->setContentsMargins(24, 0, 24, 0);
    wideButtons->addWidget(m_goToQLab, 1);
    wideButtons->addWidget(m_checkWithoutPassword, 1);
    QBoxLayout *smallButtons
        = ImportStyle::centredRow(16, { m_enterPasscode, m_passwordRow, m_skip });
    smallButtons->setContentsMargins(0, 0, 0, 6);

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(14);
    layout->setContentsMargins(0, 8, 0, 0);
    layout->addWidget(m_symbol);
    layout->addWidget(m_title);
    auto *instructionsRow = new QHBoxLayout;
    instructionsRow->setContentsMargins(24, 0, 24, 0);
    instructionsRow->addWidget(m_instructions);
    layout->addLayout(instructionsRow);
    layout->addStretch();
    layout->addSpacing(2);
    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(8);
    buttons->addLayout(wideButtons);
    buttons->addLayout(smallButtons);
    layout->addLayout(buttons);
}

void OSCAccessView::showState(const ImportState &state)
{
    const ImportState::OSCAccessRequest request = state.oscAccessRequest();
    const bool refused = request.refusedPasscodes > m_refusedPasscodes;
    m_oscAvailable = request.oscAvailable;
    m_refusedPasscodes = request.refusedPasscodes;
    m_enterPasscode->setVisible(m_oscAvailable && !m_passwordRow->isVisibleTo(this));
    if (!m_oscAvailable)
        m_passwordRow->hide();
    retranslate();
    updateEnabling();
    // The passcode stays as typed, ready to be corrected.
    if (refused && m_passwordRow->isVisibleTo(this)) {
        m_password->selectAll();
        m_password->setFocus();
    }
}

void OSCAccessView::retranslate()
{
    m_symbol->setText(m_oscAvailable ? QStringLiteral("\u26A0") : QStringLiteral("\u2298"));
    m_title->setText(m_oscAvailable ? AppText::oscAccessDenied() : AppText::oscNotAvailable());
    m_instructions->setText(AppText::oscAccessSteps());
    m_goToQLab->setText(AppText::goToQLab());
    m_checkWithoutPassword->setText(AppText::checkWithoutPassword());
    m_enterPasscode->setText(AppText::enterPasscode());
    m_password->setPlaceholderText(AppText::passcodeLabel());
    m_connect->setText(AppText::connectButton());
    m_skip->setText(AppText::skipButton());

    const QColor shade = LanguageManager::shared().isDark() ? Qt::white : Qt::black;
    ImportStyle::setColor(m_symbol, QColor(255, 149, 0));
    ImportStyle::setColor(m_title, Palette::primaryText());
    m_instructions->setStyleSheet(
        QStringLiteral("QLabel { color: %1; background: %2; border-radius: 6px; }")
            .arg(rgba(Palette::primaryText(), 0.8f), rgba(Palette::accent(), 0.06f)));
    m_goToQLab->setStyleSheet(wideButtonStyle(rgba(Palette::primaryText(), 0.8f),
        rgba(shade, 0.05f), QStringLiteral("0.5px solid ") + rgba(shade, 0.08f)));
    m_checkWithoutPassword->setStyleSheet(wideButtonStyle(
        Palette::canvas().name(), Palette::accent().name(), QStringLiteral("none")));
    ImportStyle::setColor(m_enterPasscode, Palette::mutedText());
    QColor skip = Palette::mutedText();
    skip.setAlphaF(0.7f);
    ImportStyle::setColor(m_skip, skip);
    ImportStyle::applyStyle(m_connect, ButtonStyle::prominent);
}

void OSCAccessView::showPasswordField()
{
    m_enterPasscode->hide();
    m_passwordRow->show();
    m_password->setFocus();
    updateEnabling();
}

void OSCAccessView::updateEnabling()
{
    const bool awaiting = m_machine.isAwaitingOSCAccess();
    m_checkWithoutPassword->setEnabled(awaiting);
    m_skip->setEnabled(awaiting);
    m_connect->setEnabled(awaiting && !m_password->text().isEmpty());
}
