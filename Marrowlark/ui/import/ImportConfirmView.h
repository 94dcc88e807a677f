#pragma once

#include "ui/import/ImportPage.h"

#include <functional>

class ImportStateMachine;
class QLabel;
class QPushButton;

// Names the workspace about to be imported; "Import" goes on, "Cancel" stops the import.
class ImportConfirmView : public ImportPage
{
    Q_OBJECT

public:
    ImportConfirmView(
        ImportStateMachine &machine, std::function<void()> onCancel, QWidget *parent = nullptr);

    void showState(const ImportState &state) override;
    void retranslate() override;

private:
    ImportStateMachine &m_machine;
    QLabel *m_symbol;
    QLabel *m_title;
    QLabel *m_workspaceName;
    QPushButton *m_cancel;
    QPushButton *m_import;
};
