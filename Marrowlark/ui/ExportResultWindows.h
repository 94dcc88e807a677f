#pragma once

#include "export/ExportResultHost.h"

// The export service's follow-ups on the desktop: the shared support window, and the file opened
// or shown in the file manager.
class ExportResultWindows : public ExportResultHost
{
public:
    void showSupportWindow(std::function<void()> onClose) override;
    void openFile(const QString &path) override;
    void revealFile(const QString &path) override;
};
