#include "ui/ExportResultWindows.h"

#include "platform/DesktopFiles.h"
#include "ui/SupportManager.h"

void ExportResultWindows::showSupportWindow(std::function<void()> onClose)
{
    SupportManager::shared().showSupportWindow(std::move(onClose));
}

void ExportResultWindows::openFile(const QString &path)
{
    DesktopFiles::openFile(path);
}

void ExportResultWindows::revealFile(const QString &path)
{
    DesktopFiles::revealFile(path);
}
