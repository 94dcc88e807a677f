#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The open and save panels and the alerts that the code below the windows shows, behind an
// interface: the application installs real dialogs, tests install answers. Every call returns at
// once and the answer arrives later on the main thread.
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
    // A modal informational alert with the buttons in the given order; done gets the index of the
    // button pressed, or -1 when the alert was closed otherwise.
    virtual void showChoice(const QString &title, const QString &text, const QStringList &buttons,
        std::function<void(int button)> done)
        = 0;

    static FileDialogs &current();
    // Not owned; nullptr restores the default, which cancels every panel and logs alerts.
    static void setCurrent(FileDialogs *dialogs);
};
