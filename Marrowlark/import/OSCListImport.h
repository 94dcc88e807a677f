#pragma once

#include "import/ImportCueList.h"

#include <QCoroTask>
#include <QString>

#include <optional>

class ImportSession;

// Imports one cue list that the discovery fetched over OSC: its cues are completed cue by cue,
// turned into rows, given their triggers (which only AppleScript can read) and their markers
// resolved. Nothing when the list was not fetched over OSC.
class OSCListImport
{
public:
    static QCoro::Task<std::optional<ImportCueList>> importList(
        ImportSession &session, QString listID);
};
