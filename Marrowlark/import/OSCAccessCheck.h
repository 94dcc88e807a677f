#pragma once

#include <QCoroTask>
#include <QString>

#include <optional>
#include <utility>

class ImportSession;

// Whether QLab lets the run read the chosen workspace over OSC: the connection is opened afresh
// to that workspace and its "/cueLists" is asked for, with the long wait a large workspace needs.
// The lists that come back are kept for the discovery, and the connection stays open for the
// import. OSC is not available when no workspace answering OSC has the chosen name; throws the
// workspace's error when several do.
class OSCAccessCheck
{
public:
    // (available: the connection opened, granted: "/cueLists" was answered with "ok").
    static QCoro::Task<std::pair<bool, bool>> check(ImportSession &session);
    // Granted with this passcode; a granted passcode is remembered for the write-back.
    static QCoro::Task<bool> check(ImportSession &session, QString passcode);

private:
    static QCoro::Task<bool> connect(ImportSession &session, std::optional<QString> passcode);
    static QCoro::Task<bool> probe(ImportSession &session);
};
