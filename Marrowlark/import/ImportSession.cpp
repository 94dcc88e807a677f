#include "import/ImportSession.h"

#include "import/ImportStateMachine.h"

ImportSession::ImportSession(const ImportRun &run, const QString &host, quint16 port)
    : client(host, port)
    , queries(client, run)
{
    QObject::connect(&run.machine(), &ImportStateMachine::isCancelledChanged, &client, [this] {
        if (!queries.run().isCurrent())
            client.disconnectFromQLab();
    });
}
