#pragma once

#include <QString>

// Shows a modal warning alert with one "OK" button. The window layer supplies it; core code only
// asks for the alert, and tests record what was asked.
class WarningAlertPresenter
{
public:
    virtual ~WarningAlertPresenter() = default;
    virtual void showWarning(const QString &messageText, const QString &informativeText) = 0;
};
