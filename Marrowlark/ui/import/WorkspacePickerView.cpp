#include "ui/import/WorkspacePickerView.h"

#include "import/ImportState.h"
#include "import/ImportStateMachine.h"
#include "model/AppText.h"
#include "ui/Palette.h"
#include "ui/import/ImportChoiceRow.h"
#include "ui/import/ImportStyle.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

using ImportStyle::ButtonStyle;

WorkspacePickerView::WorkspacePickerView(ImportStateMachine &machine, QWidget *parent)
    : ImportPage(Activation::bringToFront, parent)
    , m_machine(machine)
    , m_symbol(ImportStyle::symbol(this, QStringLiteral("\u2750"), 32))
    , m_title(ImportStyle::label(this, 16, QFont::DemiBold))
    , m_prompt(ImportStyle::label(this, 12))
    , m_rowLayout(new QVBoxLayout)
    , m_openFile(ImportStyle::button(this, "workspaceOpenFileButton", ButtonStyle::bordered))
    , m_select(ImportStyle::button(this, "workspaceSelectButton", ButtonStyle::prominent))
{
    m_select->setDefault(true);
    connect(m_select, &QPushButton::clicked, this, [this] {
        if (m_selected)
            m_machine.selectWorkspace(m_selected);
    });
    connect(m_openFile, &QPushButton::clicked, this, &WorkspacePickerView::openFile);

    QScrollArea *scroll
        = ImportStyle::scrollingRows(this, m_rowLayout, QStringLiteral("workspaceScroll"));

    QBoxLayout *buttons = ImportStyle::centredRow(12, { m_openFile, m_select });
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(16);
    layout->setContentsMargins(0, 16, 0, 16);
    layout->addWidget(m_symbol);
    layout->addWidget(m_title);
    layout->addWidget(m_prompt);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);
}

void WorkspacePickerView::showState(const ImportState &state)
{
    m_workspaces = state.workspaces();
    // Replaced later, not here: the new listing may arrive while a row's click is handled.
    for (ImportChoiceRow *row : std::as_const(m_rows)) {
        row->hide();
        row->deleteLater();
    }
    m_rows.clear();
    for (const WorkspaceInfo &workspace : std::as_const(m_workspaces)) {
        auto *row = new ImportChoiceRow(ImportChoiceRow::Mark::radio, 8);
        row->setObjectName(QStringLiteral("workspaceRow"));
        row->setName(workspace.name);
        connect(row, &ImportChoiceRow::clicked, this, [this, workspace] { select(workspace); });
        m_rowLayout->insertWidget(m_rowLayout->count() - 1, row);
        m_rows << row;
    }
    // A new listing keeps the choice only where the same entry is offered again.
    const bool kept = m_selected && m_workspaces.contains(*m_selected);
    select(kept ? m_selected
                : (m_workspaces.isEmpty() ? std::nullopt : std::optional(m_workspaces.first())));
}

void WorkspacePickerView::retranslate()
{
    m_title->setText(AppText::selectWorkspace());
    m_prompt->setText(AppText::multipleWorkspacesMessage());
    m_openFile->setText(AppText::openFile());
    m_select->setText(AppText::selectButton());
    ImportStyle::setColor(m_symbol, Palette::accent());
    ImportStyle::setColor(m_title, ImportStyle::textColor(ImportStyle::Emphasis::primary));
    ImportStyle::setColor(m_prompt, ImportStyle::textColor(ImportStyle::Emphasis::secondary));
    ImportStyle::applyStyle(m_select, ButtonStyle::prominent);
}

QString WorkspacePickerView::workspaceNameOfFile(const QString &path)
{
    return QFileInfo(path).completeBaseName();
}

void WorkspacePickerView::select(const std::optional<WorkspaceInfo> &workspace)
{
    m_selected = workspace;
    for (qsizetype i = 0; i < m_rows.size(); ++i)
        m_rows.at(i)->setChecked(workspace && m_workspaces.at(i).id == workspace->id);
    m_select->setEnabled(workspace.has_value());
}

void WorkspacePickerView::openFile()
{
    auto *panel = new QFileDialog(this, AppText::selectQLabFile());
    panel->setObjectName(QStringLiteral("workspaceOpenPanel"));
    panel->setAttribute(Qt::WA_DeleteOnClose);
    panel->setFileMode(QFileDialog::ExistingFile);
    panel->setNameFilter(QStringLiteral("QLab (*.qlab4 *.qlab5)"));
    connect(panel, &QFileDialog::fileSelected, this, [this](const QString &path) {
        if (!path.isEmpty())
            m_machine.selectWorkspace(WorkspaceInfo::named(workspaceNameOfFile(path)));
    });
    panel->open();
}
