#include "import/ImportState.h"

ImportState ImportState::selectingWorkspace(const QList<WorkspaceInfo> &workspaces)
{
    return ImportState(Case::selectingWorkspace, workspaces);
}

ImportState ImportState::confirmingExport(const QString &workspaceName)
{
    return ImportState(Case::confirmingExport, workspaceName);
}

ImportState ImportState::requestingOSCAccess(bool oscAvailable, int refusedPasscodes)
{
    return ImportState(
        Case::requestingOSCAccess, OSCAccessRequest { oscAvailable, refusedPasscodes });
}

ImportState ImportState::selectingCueLists(const QList<CueListInfo> &cueLists)
{
    return ImportState(Case::selectingCueLists, cueLists);
}

ImportState ImportState::importingCues(int current, int total, const QString &name, int cueCount)
{
    return ImportState(Case::importingCues, ImportingCues { current, total, name, cueCount });
}

ImportState ImportState::completed(const QString &projectName, int listCount, int cueCount)
{
    return ImportState(Case::completed, Completed { projectName, listCount, cueCount });
}

ImportState ImportState::failed(const QString &message)
{
    return ImportState(Case::failed, message);
}

QList<WorkspaceInfo> ImportState::workspaces() const
{
    return get<QList<WorkspaceInfo>>();
}

QString ImportState::text() const
{
    return get<QString>();
}

ImportState::OSCAccessRequest ImportState::oscAccessRequest() const
{
    return get<OSCAccessRequest>();
}

QList<CueListInfo> ImportState::cueLists() const
{
    return get<QList<CueListInfo>>();
}

ImportState::ImportingCues ImportState::importing() const
{
    return get<ImportingCues>();
}

ImportState::Completed ImportState::completion() const
{
    return get<Completed>();
}
