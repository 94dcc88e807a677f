#pragma once

#include "import/CueListInfo.h"
#include "ui/import/ImportPage.h"

#include <functional>

class ImportChoiceRow;
class ImportStateMachine;
class QLabel;
class QPushButton;
class QVBoxLayout;

// The workspace has several cue lists: the user ticks those to import and the machine receives
// every list with its flag, ticked or not.
class CueListPickerView : public ImportPage
{
    Q_OBJECT

public:
    CueListPickerView(
        ImportStateMachine &machine, std::function<void()> onCancel, QWidget *parent = nullptr);

    void showState(const ImportState &state) override;
    void retranslate() override;

private:
    void setAllSelected(bool selected);
    void updateSelection();

    ImportStateMachine &m_machine;
    // The user's working copy of the offered lists.
    QList<CueListInfo> m_selections;
    QList<ImportChoiceRow *> m_rows;

    QLabel *m_symbol;
    QLabel *m_title;
    QLabel *m_prompt;
    QVBoxLayout *m_rowLayout;
    QPushButton *m_selectAll;
    QPushButton *m_deselectAll;
    QPushButton *m_cancel;
    QPushButton *m_import;
};
