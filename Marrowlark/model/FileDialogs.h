#pragma once

#include <QString>

#include <functional>

// The open and save panels and the warning alert that project files need, behind an interface:
// the main window installs real dialogs, tests install answers. Every call returns at once and
// the answer arrives later on the main thread.
class FileDialogs
{
public:
    // The chosen path, or an empty one when the user cancelled.
    using PathCallback = std::function<void(const QString &path)>;

    virtual ~FileDialogs() = default;

    // One existing file whose name ends in "." + suffix.
    virtual void chooseOpenPath(const QString &title, const QString &suffix, PathCallback done) = 0;
    // A file name preset with suggestedName; the answer carries the suffix; new folders allowed.
    virtual void chooseSavePath(const QString &title, const QString &suffix,
        const QString &suggestedName, PathCallback done)
        = 0;
    // A modal warning with the title as message, text as informative text and one OK button.
    virtual void showAlert(const QString &title, const QString &text) = 0;

    static FileDialogs &current();
    // Not owned; nullptr restores the default, which cancels every panel and logs alerts.
    static void setCurrent(FileDialogs *dialogs);
};
