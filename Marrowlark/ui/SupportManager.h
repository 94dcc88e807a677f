#pragma once

#include "ui/SupportView.h"

#include <QObject>
#include <QPointer>

#include <functional>

// Owner of the support window. Every call opens a new window; each window keeps the closure it
// was opened with and runs it once when it closes, so a second window opened meanwhile (an export
// finishing while the first is open) does not drop the first one's follow-up. Main thread only.
class SupportManager : public QObject
{
    Q_OBJECT

public:
    static SupportManager &shared();

    // Titled "Support the Project" in the language of this moment; centred, made active.
    void showSupportWindow(std::function<void()> onClose = {});

    // The latest window opened, while it is open.
    SupportView *retainedWindow() const { return m_retainedWindow; }

private:
    QPointer<SupportView> m_retainedWindow;
};
