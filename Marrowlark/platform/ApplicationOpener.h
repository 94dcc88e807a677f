#pragma once

#include <QString>

// Opens an installed application by its bundle identifier: starts it or brings it to the front.
// Only macOS has bundle identifiers; elsewhere, as where the application is not installed,
// nothing happens. The outcome is not reported.
class ApplicationOpener
{
public:
    static void openByBundleIdentifier(const QString &bundleIdentifier);
};
