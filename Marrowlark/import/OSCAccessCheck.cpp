#include "import/OSCAccessCheck.h"

#include "import/ImportError.h"
#include "import/ImportSession.h"
#include "model/AppText.h"
#include "qlab/OSCClientError.h"
#include "qlab/OSCCueListReader.h"
#include "qlab/QLabPasscodes.h"

QCoro::Task<bool> OSCAccessCheck::connect(ImportSession &session, std::optional<QString> passcode)
{
    session.queries.ensureCurrent();
    session.client.disconnectFromQLab();
    try {
        co_await session.client.connectToQLab(passcode, session.workspaceName);
    } catch (const OSCClientError &error) {
        session.queries.ensureCurrent();
        // Not among those answering OSC: when QLab has it open, it just does not answer OSC and
        // the AppleScript road stays open; a workspace picked from a file QLab has not open
        // cannot be imported at all. Several of the chosen name: either could pass off the
        // other's cues.
        if (error.code() == OSCClientError::workspaceNotOpen && !session.chosenWorkspaceIsOpen())
            throw ImportError::scriptError(
                AppText::workspaceNotOpenToImport(session.workspaceName));
        if (error.code() == OSCClientError::workspaceNameShared)
            throw ImportError::scriptError(error.description());
        co_return false;
    }
    session.queries.ensureCurrent();
    co_return true;
}

QCoro::Task<bool> OSCAccessCheck::probe(ImportSession &session)
{
    const auto reply = QLab_OSCClient::firstOK(co_await session.client.queryCueLists());
    session.queries.ensureCurrent();
    if (!reply)
        co_return false;
    session.cachedOSCCueLists = OSCCueListReader::readCueLists(reply->payload);
    co_return true;
}

QCoro::Task<std::pair<bool, bool>> OSCAccessCheck::check(ImportSession &session)
{
    if (!co_await connect(session, std::nullopt))
        co_return std::pair(false, false);
    const bool granted = co_await probe(session);
    co_return std::pair(true, granted);
}

QCoro::Task<bool> OSCAccessCheck::check(ImportSession &session, QString passcode)
{
    if (!co_await connect(session, passcode))
        co_return false;
    const bool granted = co_await probe(session);
    if (granted)
        QLabPasscodes::remember(session.client.workspaceID(), passcode);
    co_return granted;
}
