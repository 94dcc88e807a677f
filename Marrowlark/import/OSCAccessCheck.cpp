#include "import/OSCAccessCheck.h"

#include "import/AppleScriptImport.h"
#include "import/ImportSession.h"
#include "qlab/OSCClientError.h"

QCoro::Task<bool> OSCAccessCheck::connect(ImportSession &session, std::optional<QString> passcode)
{
    session.queries.ensureCurrent();
    session.client.disconnectFromQLab();
    try {
        co_await session.client.connectToQLab(passcode);
    } catch (const OSCClientError &) {
        session.queries.ensureCurrent();
        co_return false;
    }
    session.queries.ensureCurrent();
    co_return true;
}

QCoro::Task<std::pair<bool, bool>> OSCAccessCheck::check(ImportSession &session)
{
    if (!co_await connect(session, std::nullopt))
        co_return std::pair(false, false);
    const QString cueID = co_await AppleScriptImport::firstCueID();
    session.queries.ensureCurrent();
    if (cueID.isEmpty())
        co_return std::pair(true, false);
    const auto access = co_await session.client.checkCueAccess(cueID);
    session.queries.ensureCurrent();
    co_return access;
}

QCoro::Task<bool> OSCAccessCheck::check(ImportSession &session, QString passcode)
{
    if (!co_await connect(session, passcode))
        co_return false;
    const QString cueID = co_await AppleScriptImport::firstCueID();
    session.queries.ensureCurrent();
    if (cueID.isEmpty())
        co_return true;
    const auto access = co_await session.client.checkCueAccess(cueID);
    session.queries.ensureCurrent();
    co_return access.second;
}
