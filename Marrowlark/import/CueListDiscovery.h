#pragma once

#include "import/CueListInfo.h"
#include "import/CueTypeScanResult.h"
#include "qlab/OSCCueListData.h"

#include <QCoroTask>
#include <QList>

class ImportSession;

// Finds the cue lists of the chosen workspace: over OSC first, whose answer carries every list
// with its cues and is kept in the session for the list imports; through AppleScript when OSC
// gives nothing.
class CueListDiscovery
{
public:
    static QCoro::Task<QList<CueListInfo>> discover(ImportSession &session);

    // The kinds of cue in a list fetched over OSC; all zero for a list that was not.
    static CueTypeScanResult scanCueTypes(
        const QList<OSCCueListData> &cachedLists, const QString &listID);
};
