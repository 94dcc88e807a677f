#pragma once

#include "import/WorkspaceInfo.h"
#include "ui/import/ImportPage.h"

#include <optional>

class ImportChoiceRow;
class ImportStateMachine;
class QLabel;
class QPushButton;
class QVBoxLayout;

// Several workspaces are open in QLab: the user picks one from a list (the first is picked to
// begin with) or names a workspace file, and the machine hears the choice.
class WorkspacePickerView : public ImportPage
{
    Q_OBJECT

public:
    explicit WorkspacePickerView(ImportStateMachine &machine, QWidget *parent = nullptr);

    void showState(const ImportState &state) override;
    void retranslate() override;

    // "Show.qlab5" is Show, "Tour.2024.qlab5" is Tour.2024: only the last suffix goes.
    static QString workspaceNameOfFile(const QString &path);

private:
    void select(const std::optional<WorkspaceInfo> &workspace);
    void openFile();

    ImportStateMachine &m_machine;
    QList<WorkspaceInfo> m_workspaces;
    std::optional<WorkspaceInfo> m_selected;
    QList<ImportChoiceRow *> m_rows;

    QLabel *m_symbol;
    QLabel *m_title;
    QLabel *m_prompt;
    QVBoxLayout *m_rowLayout;
    QPushButton *m_openFile;
    QPushButton *m_select;
};
