#include "ui/SupportManager.h"

#include "model/AppText.h"
#include "ui/SupportView.h"

#include <QGuiApplication>
#include <QScreen>

SupportManager &SupportManager::shared()
{
    static SupportManager manager;
    return manager;
}

void SupportManager::showSupportWindow(std::function<void()> onClose)
{
    auto *window = new SupportView;
    window->setWindowTitle(AppText::supportTheProject());
    connect(window, &SupportView::closed, this, [this, window, onClose = std::move(onClose)] {
        if (m_retainedWindow == window)
            m_retainedWindow = nullptr;
        if (onClose)
            onClose();
    });
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
    m_retainedWindow = window;
    window->show();
    window->raise();
    window->activateWindow();
}
