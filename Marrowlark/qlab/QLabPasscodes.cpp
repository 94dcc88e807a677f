#include "qlab/QLabPasscodes.h"

#include <QHash>

namespace {

QHash<QString, QString> &passcodes()
{
    static QHash<QString, QString> byWorkspace;
    return byWorkspace;
}

} // namespace

void QLabPasscodes::remember(const QString &workspaceID, const QString &passcode)
{
    if (!workspaceID.isEmpty())
        passcodes().insert(workspaceID, passcode);
}

std::optional<QString> QLabPasscodes::granted(const QString &workspaceID)
{
    const auto it = passcodes().constFind(workspaceID);
    return it == passcodes().constEnd() ? std::nullopt : std::optional<QString>(*it);
}
