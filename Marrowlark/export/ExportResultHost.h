#pragma once

#include <QString>

#include <functional>

// What the export service needs of the windows once a file is written: the support window, and
// opening or revealing the file. The application installs the real one; until then the support
// window counts as closed at once and the file actions do nothing. Main thread only.
class ExportResultHost
{
public:
    virtual ~ExportResultHost() = default;

    // Shows the support window and runs onClose once when that window closes.
    virtual void showSupportWindow(std::function<void()> onClose) = 0;
    // Opens the file with its default application.
    virtual void openFile(const QString &path) = 0;
    // Shows the file selected in the file manager.
    virtual void revealFile(const QString &path) = 0;

    static ExportResultHost &current();
    // Not owned; nullptr restores the default.
    static void setCurrent(ExportResultHost *host);
};
