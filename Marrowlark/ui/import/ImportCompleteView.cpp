#include "ui/import/ImportCompleteView.h"

#include "import/ImportState.h"
#include "model/AppText.h"
#include "ui/ElidedLabel.h"
#include "ui/Palette.h"
#include "ui/import/ImportStyle.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using ImportStyle::ButtonStyle;
using ImportStyle::Emphasis;

ImportCompleteView::ImportCompleteView(std::function<void()> onDismiss, QWidget *parent)
    : ImportPage(Activation::bringToFront, parent)
    , m_symbol(ImportStyle::symbol(this, QStringLiteral("\u2714"), 42))
    , m_title(ImportStyle::label(this, 18, QFont::DemiBold))
    , m_projectLabel(ImportStyle::label(this, 12))
    , m_projectName(new ElidedLabel(this))
    , m_listsLabel(ImportStyle::label(this, 12))
    , m_listCount(ImportStyle::label(this, 12))
    , m_cuesLabel(ImportStyle::label(this, 12))
    , m_cueCount(ImportStyle::label(this, 12))
    , m_done(ImportStyle::button(this, "completeDoneButton", ButtonStyle::prominent))
{
    m_done->setDefault(true);
    connect(m_done, &QPushButton::clicked, this, std::move(onDismiss));

    auto *statistics = new QGridLayout;
    statistics->setVerticalSpacing(6);
    statistics->setContentsMargins(60, 0, 60, 0);
    statistics->setColumnStretch(1, 1);
    int row = 0;
    for (auto [label, value] : { std::pair { m_projectLabel, m_projectName },
             std::pair { m_listsLabel, m_listCount }, std::pair { m_cuesLabel, m_cueCount } }) {
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setFont(ImportStyle::monospacedFont(12, QFont::Medium));
        statistics->addWidget(label, row, 0);
        statistics->addWidget(value, row, 2);
        ++row;
    }
    m_projectName->setObjectName(QStringLiteral("completeProjectName"));
    m_listCount->setObjectName(QStringLiteral("completeListCount"));
    m_cueCount->setObjectName(QStringLiteral("completeCueCount"));

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(20);
    layout->addStretch();
    layout->addWidget(m_symbol);
    layout->addWidget(m_title);
    layout->addLayout(statistics);
    layout->addWidget(m_done, 0, Qt::AlignHCenter);
    layout->addStretch();
}

void ImportCompleteView::showState(const ImportState &state)
{
    const ImportState::Completed completion = state.completion();
    m_projectName->setText(completion.projectName);
    m_listCount->setText(QString::number(completion.listCount));
    m_cueCount->setText(QString::number(completion.cueCount));
}

void ImportCompleteView::retranslate()
{
    m_title->setText(AppText::importComplete());
    m_projectLabel->setText(AppText::completeProject());
    m_listsLabel->setText(AppText::completeCueLists());
    m_cuesLabel->setText(AppText::totalCues());
    m_done->setText(AppText::doneButton());
    ImportStyle::setColor(m_symbol, QColor(52, 199, 89));
    ImportStyle::setColor(m_title, ImportStyle::textColor(Emphasis::primary));
    for (QLabel *label : { m_projectLabel, m_listsLabel, m_cuesLabel })
        ImportStyle::setColor(label, ImportStyle::textColor(Emphasis::secondary));
    for (QLabel *value : { m_projectName, m_listCount, m_cueCount })
        ImportStyle::setColor(value, ImportStyle::textColor(Emphasis::primary));
    ImportStyle::applyStyle(m_done, ButtonStyle::prominent);
}
