#pragma once

#include "ui/import/ImportPage.h"

class ImportStateMachine;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// QLab refused OSC access (or could not be reached over OSC): explains where to allow it and
// lets the user open QLab, test again, try a passcode or go on without OSC. A refused passcode
// refreshes the page in place: the field stays open with the passcode as typed.
class OSCAccessView : public ImportPage
{
    Q_OBJECT

public:
    explicit OSCAccessView(ImportStateMachine &machine, QWidget *parent = nullptr);

    void showState(const ImportState &state) override;
    void retranslate() override;

private:
    void showPasswordField();
    // The answers wait while the machine is busy with the previous one.
    void updateEnabling();

    ImportStateMachine &m_machine;
    bool m_oscAvailable = false;
    int m_refusedPasscodes = 0;

    QLabel *m_symbol;
    QLabel *m_title;
    QLabel *m_instructions;
    QPushButton *m_goToQLab;
    QPushButton *m_checkWithoutPassword;
    QPushButton *m_enterPasscode;
    QWidget *m_passwordRow;
    QLineEdit *m_password;
    QPushButton *m_connect;
    QPushButton *m_skip;
};
