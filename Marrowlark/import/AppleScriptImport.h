#pragma once

#include "import/CheckQLabResult.h"
#include "import/CueListInfo.h"
#include "import/ImportCueList.h"

#include <QCoroTask>
#include <QHash>
#include <QString>
#include <QStringList>

// What the import learns from QLab through AppleScript: whether QLab runs and which workspaces
// are open, and from the chosen workspace (addressed by its name) its cue lists, the triggers of
// cues, and whole cue lists when OSC is not used. The scripts run one at a time through the
// shared runner; result files are read once from the run's private folder and deleted. Runner
// errors pass on unchanged.
class AppleScriptImport
{
public:
    static QCoro::Task<CheckQLabResult> checkQLab();
    // The cue lists in QLab's order; an unnamed list is "Main Cue List".
    static QCoro::Task<QList<CueListInfo>> listCueLists(QString workspaceName);
    // Cue ID to trigger text; empty when the script left no usable file.
    static QCoro::Task<QHash<QString, QString>> loadTriggers(
        QStringList cueIDs, QString outputPath, QString workspaceName);
    static QCoro::Task<ImportCueList> importCueList(
        QString cueListID, bool oscEnabled, QString outputPath, QString workspaceName);

    // The fixed scripts, for the fakes that stand in for QLab.
    static QString qlabCheckScript();
    static QString cueListListingScript(const QString &workspaceName);
};
