#include "ui/import/CueListPickerView.h"

#include "import/ImportState.h"
#include "import/ImportStateMachine.h"
#include "model/AppText.h"
#include "ui/Palette.h"
#include "ui/UiFont.h"
#include "ui/import/ImportChoiceRow.h"
#include "ui/import/ImportStyle.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

using ImportStyle::ButtonStyle;

CueListPickerView::CueListPickerView(
    ImportStateMachine &machine, std::function<void()> onCancel, QWidget *parent)
    : ImportPage(Activation::bringToFront, parent)
    , m_machine(machine)
    , m_symbol(ImportStyle::symbol(this, QStringLiteral("\u2630"), 32))
    , m_title(ImportStyle::label(this, 16, QFont::DemiBold))
    , m_prompt(ImportStyle::label(this, 12))
    , m_rowLayout(new QVBoxLayout)
    , m_selectAll(ImportStyle::button(this, "cueListsSelectAllButton", ButtonStyle::plain))
    , m_deselectAll(ImportStyle::button(this, "cueListsDeselectAllButton", ButtonStyle::plain))
    , m_cancel(ImportStyle::button(this, "cueListsCancelButton", ButtonStyle::bordered))
    , m_import(ImportStyle::button(this, "cueListsImportButton", ButtonStyle::prominent))
{
    m_selectAll->setFont(uiFont(11));
    m_deselectAll->setFont(uiFont(11));
    m_import->setDefault(true);
    connect(m_selectAll, &QPushButton::clicked, this, [this] { setAllSelected(true); });
    connect(m_deselectAll, &QPushButton::clicked, this, [this] { setAllSelected(false); });
    connect(m_cancel, &QPushButton::clicked, this, std::move(onCancel));
    connect(
        m_import, &QPushButton::clicked, this, [this] { m_machine.selectCueLists(m_selections); });

    QScrollArea *scroll
        = ImportStyle::scrollingRows(this, m_rowLayout, QStringLiteral("cueListsScroll"));

    auto *header = new QVBoxLayout;
    header->setSpacing(8);
    header->setContentsMargins(0, 16, 0, 12);
    header->addWidget(m_symbol);
    header->addWidget(m_title);
    header->addWidget(m_prompt);
    QBoxLayout *selectionButtons = ImportStyle::centredRow(16, { m_selectAll, m_deselectAll });
    QBoxLayout *answerButtons = ImportStyle::centredRow(12, { m_cancel, m_import });
    auto *footer = new QVBoxLayout;
    footer->setSpacing(12);
    footer->setContentsMargins(0, 12, 0, 12);
    footer->addLayout(selectionButtons);
    footer->addLayout(answerButtons);

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(header);
    layout->addWidget(scroll, 1);
    layout->addLayout(footer);
    updateSelection();
}

void CueListPickerView::showState(const ImportState &state)
{
    m_selections = state.cueLists();
    // Replaced later, not here: the new listing may arrive while a row's click is handled.
    for (ImportChoiceRow *row : std::as_const(m_rows)) {
        row->hide();
        row->deleteLater();
    }
    m_rows.clear();
    for (qsizetype i = 0; i < m_selections.size(); ++i) {
        auto *row = new ImportChoiceRow(ImportChoiceRow::Mark::checkBox, 6);
        row->setObjectName(QStringLiteral("cueListRow"));
        row->setName(m_selections.at(i).name);
        row->setDetail(AppText::cueCount(m_selections.at(i).cueCount));
        connect(row, &ImportChoiceRow::clicked, this, [this, i] {
            m_selections[i].isSelected = !m_selections.at(i).isSelected;
            updateSelection();
        });
        m_rowLayout->insertWidget(m_rowLayout->count() - 1, row);
        m_rows << row;
    }
    updateSelection();
}

void CueListPickerView::retranslate()
{
    m_title->setText(AppText::selectCueLists());
    m_prompt->setText(AppText::chooseCueListsMessage());
    m_selectAll->setText(AppText::selectAll());
    m_deselectAll->setText(AppText::deselectAll());
    m_cancel->setText(AppText::cancelButton());
    ImportStyle::setColor(m_symbol, Palette::accent());
    ImportStyle::setColor(m_title, ImportStyle::textColor(ImportStyle::Emphasis::primary));
    ImportStyle::setColor(m_prompt, ImportStyle::textColor(ImportStyle::Emphasis::secondary));
    ImportStyle::setColor(m_selectAll, Palette::accent());
    ImportStyle::setColor(m_deselectAll, ImportStyle::textColor(ImportStyle::Emphasis::secondary));
    ImportStyle::applyStyle(m_import, ButtonStyle::prominent);
    updateSelection();
}

void CueListPickerView::setAllSelected(bool selected)
{
    for (CueListInfo &list : m_selections)
        list.isSelected = selected;
    updateSelection();
}

void CueListPickerView::updateSelection()
{
    for (qsizetype i = 0; i < m_rows.size(); ++i)
        m_rows.at(i)->setChecked(m_selections.at(i).isSelected);
    const auto chosen = std::count_if(m_selections.cbegin(), m_selections.cend(),
        [](const CueListInfo &list) { return list.isSelected; });
    m_import->setText(AppText::importListCount(chosen));
    m_import->setEnabled(chosen > 0);
}
