#include "import/CueListDiscovery.h"

#include "import/AppleScriptImport.h"
#include "import/ImportSession.h"
#include "qlab/OSCClientError.h"

QCoro::Task<QList<CueListInfo>> CueListDiscovery::discover(ImportSession &session)
{
    // The access check may have brought the lists already.
    QList<OSCCueListData> lists = session.cachedOSCCueLists;
    session.queries.ensureCurrent();
    if (lists.isEmpty()) {
        try {
            lists = co_await session.client.fetchCueLists();
        } catch (const OSCClientError &) {
            // Not connected (OSC skipped or unreachable): the listing script answers instead.
        }
        session.queries.ensureCurrent();
        session.cachedOSCCueLists = lists;
    }
    QList<CueListInfo> entries;
    for (const OSCCueListData &list : std::as_const(lists))
        entries << CueListInfo { list.id, list.name, int(list.cues.size()), true };
    if (!entries.isEmpty())
        co_return entries;
    entries = co_await AppleScriptImport::listCueLists(session.workspaceName);
    session.queries.ensureCurrent();
    co_return entries;
}

CueTypeScanResult CueListDiscovery::scanCueTypes(
    const QList<OSCCueListData> &cachedLists, const QString &listID)
{
    const auto list = std::find_if(cachedLists.cbegin(), cachedLists.cend(),
        [&](const OSCCueListData &candidate) { return candidate.id == listID; });
    return list == cachedLists.cend() ? CueTypeScanResult() : CueTypeScanResult::scan(list->cues);
}
