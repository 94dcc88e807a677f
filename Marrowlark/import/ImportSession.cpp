#include "import/ImportSession.h"

#include "import/ImportStateMachine.h"
#include "qlab/OSCWorkspace.h"

#include <algorithm>

ImportSession::ImportSession(const ImportRun &run, const QString &host, quint16 port)
    : client(host, port)
    , queries(client, run)
{
    QObject::connect(&run.machine(), &ImportStateMachine::isCancelledChanged, &client, [this] {
        if (!queries.run().isCurrent())
            client.disconnectFromQLab();
    });
}

bool ImportSession::chosenWorkspaceIsOpen() const
{
    return std::any_of(openWorkspaceNames.cbegin(), openWorkspaceNames.cend(),
        [this](const QString &name) { return OSCWorkspace::sameName(name, workspaceName); });
}
