#include "ui/import/ImportProgressView.h"

#include "import/ImportStateMachine.h"
#include "model/AppText.h"
#include "ui/Palette.h"
#include "ui/import/ImportStyle.h"

#include <QLabel>
#include <QProgressBar>
#include <QPropertyAnimation>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

using ImportStyle::Emphasis;

namespace {

// The bar counts in thousandths, so an eased move of the progress stays smooth.
constexpr int barSteps = 1000;

} // namespace

ImportProgressView::ImportProgressView(const ImportStateMachine &machine, QWidget *parent)
    : ImportPage(Activation::bringToFront, parent)
    , m_machine(machine)
    , m_symbol(ImportStyle::symbol(this, QStringLiteral("\u21E9"), 36))
    , m_title(ImportStyle::label(this, 16, QFont::DemiBold))
    , m_bar(new QProgressBar(this))
    , m_barAnimation(new QPropertyAnimation(m_bar, "value", this))
    , m_percent(ImportStyle::label(this, 13))
    , m_listLine(ImportStyle::label(this, 12))
    , m_stageLine(ImportStyle::label(this, 12))
    , m_remaining(ImportStyle::label(this, 11))
{
    m_bar->setObjectName(QStringLiteral("importProgressBar"));
    m_bar->setRange(0, barSteps);
    m_bar->setTextVisible(false);
    m_bar->setFixedWidth(280);
    m_barAnimation->setDuration(300);
    m_barAnimation->setEasingCurve(QEasingCurve::InOutQuad);
    m_percent->setObjectName(QStringLiteral("importPercent"));
    m_percent->setFont(ImportStyle::monospacedFont(13, QFont::Medium));
    m_listLine->setObjectName(QStringLiteral("importListLine"));
    m_listLine->setWordWrap(true);
    m_stageLine->setObjectName(QStringLiteral("importStageLine"));
    m_remaining->setObjectName(QStringLiteral("importRemainingTime"));
    m_remaining->setFont(ImportStyle::monospacedFont(11));

    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        ++m_elapsedSeconds;
        updateRemainingTime();
    });
    m_timer.start();

    auto *spinner = new QProgressBar(this);
    spinner->setRange(0, 0);
    spinner->setTextVisible(false);
    spinner->setFixedSize(40, 8);
    QBoxLayout *stage = ImportStyle::centredRow(8, { spinner, m_stageLine });
    stage->setContentsMargins(0, 4, 0, 0);

    auto *block = new QVBoxLayout;
    block->setSpacing(12);
    block->addWidget(m_bar, 0, Qt::AlignHCenter);
    block->addWidget(m_percent);
    block->addWidget(m_listLine);
    block->addLayout(stage);
    block->addWidget(m_remaining);

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(20);
    layout->setContentsMargins(24, 0, 24, 0);
    layout->addStretch();
    layout->addWidget(m_symbol);
    layout->addWidget(m_title);
    layout->addLayout(block);
    layout->addStretch();
}

void ImportProgressView::showState(const ImportState &state)
{
    m_importing = state.importing();
    const int target = int(percent(m_machine.importProgress()) * (barSteps / 100));
    if (target != m_bar->value()) {
        m_barAnimation->stop();
        m_barAnimation->setStartValue(m_bar->value());
        m_barAnimation->setEndValue(target);
        m_barAnimation->start();
    }
    retranslate();
}

void ImportProgressView::retranslate()
{
    m_title->setText(AppText::importingCueData());
    m_percent->setText(QString::number(percent(m_machine.importProgress())) + u'%');
    m_listLine->setText(
        AppText::cueListProgress(m_importing.current, m_importing.total, m_importing.name));
    m_stageLine->setText(AppText::processingCues(m_importing.cueCount));
    ImportStyle::setColor(m_symbol, Palette::accent());
    ImportStyle::setColor(m_title, ImportStyle::textColor(Emphasis::primary));
    ImportStyle::setColor(m_percent, ImportStyle::textColor(Emphasis::secondary));
    ImportStyle::setColor(m_listLine, ImportStyle::textColor(Emphasis::tertiary));
    ImportStyle::setColor(m_stageLine, ImportStyle::textColor(Emphasis::secondary));
    ImportStyle::setColor(m_remaining, ImportStyle::textColor(Emphasis::quaternary));
    QPalette bar = m_bar->palette();
    bar.setColor(QPalette::Highlight, Palette::accent());
    m_bar->setPalette(bar);
    updateRemainingTime();
}

void ImportProgressView::updateRemainingTime()
{
    const std::optional<QString> text = remainingTimeText(
        m_machine.estimatedTotalSeconds(), m_machine.importProgress(), m_elapsedSeconds);
    m_remaining->setText(text.value_or(QString()));
    m_remaining->setVisible(text.has_value());
}

std::optional<QString> ImportProgressView::remainingTimeText(
    double estimatedTotalSeconds, double progress, int elapsedSeconds)
{
    // Written so that NaN fails every test and an infinite estimate never reaches the cast.
    if (!(estimatedTotalSeconds > 0) || !(progress > 0.01) || !std::isfinite(estimatedTotalSeconds))
        return std::nullopt;
    const double remaining = estimatedTotalSeconds - double(elapsedSeconds);
    if (!(remaining > 0))
        return std::nullopt;
    const auto seconds = qint64(std::min(remaining, double(std::numeric_limits<int>::max())));
    const QString time = seconds < 60
        ? AppText::secondsValue(seconds)
        : QString::asprintf("%lld:%02lld", seconds / 60, seconds % 60);
    return AppText::timeRemaining(time);
}

int ImportProgressView::percent(double progress)
{
    if (!(progress > 0))
        return 0;
    return int(std::min(progress, 1.0) * 100);
}
