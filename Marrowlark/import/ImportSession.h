#pragma once

#include "import/ImportQueries.h"
#include "import/ImportRun.h"
#include "qlab/ImportResultFolder.h"
#include "qlab/OSCCueListData.h"
#include "qlab/QLab_OSCClient.h"

#include <QList>
#include <QStringList>

// What one import run owns: its own OSC connection, the cue lists fetched over it, and the
// private folder its scripts write their results into. A run that is cancelled keeps its session
// to itself, so it can never talk over the connection or read the files of the run after it;
// its connection is closed at once, so a list being enriched stops at its next question.
class ImportSession
{
public:
    ImportSession(const ImportRun &run, const QString &host, quint16 port);
    ImportSession(const ImportSession &) = delete;
    ImportSession &operator=(const ImportSession &) = delete;

    // Whether QLab has the chosen workspace open (one picked from a file may not be).
    bool chosenWorkspaceIsOpen() const;

    // The workspace the user chose; every question to QLab goes to it.
    QString workspaceName;
    // The workspaces QLab has open, as AppleScript names them.
    QStringList openWorkspaceNames;
    QLab_OSCClient client;
    ImportQueries queries;
    ImportResultFolder results;
    // The cue lists of the last access check or discovery over OSC, later enriched list by list.
    QList<OSCCueListData> cachedOSCCueLists;
};
