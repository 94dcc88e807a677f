#include "ui/import/ImportConfirmView.h"

#include "import/ImportStateMachine.h"
#include "model/AppText.h"
#include "ui/Palette.h"
#include "ui/import/ImportStyle.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using ImportStyle::ButtonStyle;

ImportConfirmView::ImportConfirmView(
    ImportStateMachine &machine, std::function<void()> onCancel, QWidget *parent)
    : ImportPage(Activation::bringToFront, parent)
    , m_machine(machine)
    , m_symbol(ImportStyle::symbol(this, QStringLiteral("\u2913"), 36))
    , m_title(ImportStyle::label(this, 16, QFont::DemiBold))
    , m_workspaceName(ImportStyle::label(this, 14))
    , m_cancel(ImportStyle::button(this, "confirmCancelButton", ButtonStyle::bordered))
    , m_import(ImportStyle::button(this, "confirmImportButton", ButtonStyle::prominent))
{
    m_workspaceName->setObjectName(QStringLiteral("confirmWorkspaceName"));
    m_workspaceName->setFont(ImportStyle::monospacedFont(14, QFont::Medium));
    m_workspaceName->setWordWrap(true);
    m_import->setDefault(true);
    connect(m_cancel, &QPushButton::clicked, this, std::move(onCancel));
    connect(m_import, &QPushButton::clicked, this, [this] { m_machine.confirmExport(true); });

    QBoxLayout *buttons = ImportStyle::centredRow(12, { m_cancel, m_import });
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(20);
    layout->setContentsMargins(24, 0, 24, 0);
    layout->addStretch();
    layout->addWidget(m_symbol);
    layout->addWidget(m_title);
    layout->addWidget(m_workspaceName);
    layout->addLayout(buttons);
    layout->addStretch();
}

void ImportConfirmView::showState(const ImportState &state)
{
    m_workspaceName->setText(state.text());
}

void ImportConfirmView::retranslate()
{
    m_title->setText(AppText::importWorkspace());
    m_cancel->setText(AppText::workspaceCancel());
    m_import->setText(AppText::importButton());
    ImportStyle::setColor(m_symbol, Palette::accent());
    ImportStyle::setColor(m_title, ImportStyle::textColor(ImportStyle::Emphasis::primary));
    ImportStyle::setColor(
        m_workspaceName, ImportStyle::textColor(ImportStyle::Emphasis::secondary));
    ImportStyle::applyStyle(m_import, ButtonStyle::prominent);
}
