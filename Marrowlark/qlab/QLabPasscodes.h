#pragma once

#include <QString>

#include <optional>

// The passcodes QLab granted access with during this run of the program, by workspace unique ID,
// so that the user gives each passcode once. Kept in memory only. Main thread only.
class QLabPasscodes
{
public:
    static void remember(const QString &workspaceID, const QString &passcode);
    static std::optional<QString> granted(const QString &workspaceID);
};
