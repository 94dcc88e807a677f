#pragma once

#include <QCoroTask>
#include <QString>

#include <utility>

class ImportSession;

// Whether QLab lets the run read cues over OSC: the connection is opened afresh and the first
// cue of the front workspace is asked for its name. The connection stays open for the import.
class OSCAccessCheck
{
public:
    // (available: the connection opened, granted: the probe got "ok"). A workspace without cues
    // proves nothing, so it is not granted.
    static QCoro::Task<std::pair<bool, bool>> check(ImportSession &session);
    // Granted with this passcode; a workspace without cues counts as granted.
    static QCoro::Task<bool> check(ImportSession &session, QString passcode);

private:
    static QCoro::Task<bool> connect(ImportSession &session, std::optional<QString> passcode);
};
