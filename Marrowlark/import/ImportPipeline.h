#pragma once

#include "import/CueListInfo.h"
#include "import/ImportCueList.h"
#include "import/ImportRun.h"

#include <QCoroTask>
#include <QString>

#include <optional>

class ImportSession;
class ImportStateMachine;

// The road of one import from QLab, plugged into the machine as its run: asks QLab whether it
// runs and which workspaces are open, asks the user which one and whether to go on, obtains OSC
// access (or goes without), discovers the cue lists and asks which to import, imports each over
// OSC or through AppleScript with an estimate of its time, and hands the new project to the
// store. Whatever ends a run early is thrown: the machine shows it as the failure, or returns to
// idle on a cancel.
class ImportPipeline
{
public:
    // Makes this road the machine's run; host and port name QLab's OSC endpoint.
    static void install(ImportStateMachine &machine,
        const QString &host = QStringLiteral("127.0.0.1"), quint16 port = 53000);

private:
    static QCoro::Task<> runImport(ImportRun run, QString host, quint16 port);

    // Whether the user confirmed a workspace, which the session then names, beside the
    // workspaces QLab has open.
    static QCoro::Task<bool> confirmWorkspace(ImportRun run, ImportSession &session);
    // Whether the lists are read over OSC.
    static QCoro::Task<bool> obtainOSCAccess(ImportRun run, ImportSession &session);
    // The lists to import, in order; nothing when the user chose none.
    static QCoro::Task<std::optional<QList<CueListInfo>>> chooseCueLists(
        ImportRun run, ImportSession &session);
    static QCoro::Task<QList<ImportCueList>> importLists(
        ImportRun run, ImportSession &session, QList<CueListInfo> lists, bool oscUse);
};
