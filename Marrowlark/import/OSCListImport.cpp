#include "import/OSCListImport.h"

#include "import/AppleScriptImport.h"
#include "import/ImportError.h"
#include "import/ImportSession.h"
#include "import/MarkerResolver.h"
#include "model/AppText.h"
#include "qlab/CueRowPosition.h"
#include "qlab/OSCCueAddress.h"
#include "qlab/OSCCueEnricher.h"

QCoro::Task<std::optional<ImportCueList>> OSCListImport::importList(
    ImportSession &session, QString listID)
{
    QList<OSCCueListData> &cache = session.cachedOSCCueLists;
    const auto found = std::find_if(cache.cbegin(), cache.cend(),
        [&](const OSCCueListData &list) { return list.id == listID; });
    if (found == cache.cend())
        co_return std::nullopt;
    const qsizetype index = found - cache.cbegin();

    session.queries.ensureCurrent();
    QList<OSCCueData> cues
        = co_await OSCCueEnricher::enrichCueData(session.client, cache.at(index).cues);
    session.queries.ensureCurrent();
    // Cues completed over a dropped connection lack their notes and waits.
    session.client.requireOpenStream();
    // Notes taken for empty would let a later write-back overwrite the real ones in QLab;
    // waits taken for zero would be described as none.
    for (const OSCCueData &cue : std::as_const(cues)) {
        if (!OSCCueAddress::isSendable(cue.qlabCueID))
            continue;
        const QString label = cue.number.isEmpty() ? cue.name : cue.number;
        if (!cue.notesRead)
            throw ImportError::scriptError(AppText::notesNotAnswered(label));
        if (!cue.waitsRead)
            throw ImportError::scriptError(AppText::waitsNotAnswered(label));
    }
    cache[index].cues = cues;

    ImportCueList list { cache.at(index).name, cache.at(index).rows() };
    QStringList cueIDs;
    for (const QStringList &row : std::as_const(list.cues)) {
        if (row.size() > CueRowPosition::qlabCueID)
            cueIDs << row.at(CueRowPosition::qlabCueID);
    }
    if (cueIDs.isEmpty())
        co_return list;

    const QHash<QString, QString> triggers = co_await AppleScriptImport::loadTriggers(
        cueIDs, session.results.triggersFilePath(), session.workspaceName);
    session.queries.ensureCurrent();
    for (QStringList &row : list.cues) {
        if (row.size() <= CueRowPosition::qlabCueID)
            continue;
        const QString trigger = triggers.value(row.at(CueRowPosition::qlabCueID));
        if (!trigger.isEmpty())
            row[CueRowPosition::trigger] = trigger;
    }

    const MarkerResolver resolver(session.queries);
    list.cues = co_await resolver.resolveAll(std::move(list.cues));
    co_return list;
}
