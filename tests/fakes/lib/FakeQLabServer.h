#pragma once

#include "FakeQLabResponder.h"
#include "OSCMessageReader.h"
#include "WorkspaceFixture.h"

#include <QHash>
#include <QObject>
#include <QTcpServer>

#include <chrono>

class QTcpSocket;

// A stand-in for QLab 5's OSC interface over TCP: SLIP-framed OSC messages in, one reply per
// answering workspace out ("/reply" + the address sent, one JSON text argument with
// "workspace_id", "address", "status" and, where there is a value, "data"). A message without a
// "/workspace/{id}" prefix is answered by every workspace of the fixture. Each connection keeps
// its own permissions per workspace and its "/alwaysReply" setting, and its messages are handled
// in order. Switches reproduce the faults of a real network and a busy QLab.
class FakeQLabServer : public QObject
{
    Q_OBJECT

public:
    struct ReceivedMessage
    {
        int connection = 0; // counted from 1 in the order clients connected
        QString address;
        QByteArray typeTags;
        QVariantList arguments;
    };

    // A fault for the messages whose address contains `addressContains` (every message when
    // empty).
    struct Fault
    {
        QString addressContains;
        std::chrono::milliseconds delay { 0 }; // handle the message this much later
        bool silent = false; // never reply
        QString status; // reply with this status (and no data unless it is "ok")
    };

    explicit FakeQLabServer(const WorkspaceFixture &fixture, QObject *parent = nullptr);
    ~FakeQLabServer() override;

    // Port 0 picks a free port.
    bool listen(quint16 port = 0);
    quint16 port() const { return m_server.serverPort(); }
    QString errorString() const { return m_server.errorString(); }

    const WorkspaceFixture &fixture() const { return m_fixture; }
    FakeQLabResponder::Options &options() { return m_responder.options(); }

    void addFault(const Fault &fault) { m_faults.append(fault); }
    void clearFaults() { m_faults.clear(); }
    // Sends every reply in pieces of this many bytes, each written on its own (0: whole).
    void setChunkSize(int bytes) { m_chunkSize = bytes; }
    // Precedes every reply with an unasked "ok" reply to another address.
    void setExtraReplies(bool on) { m_extraReplies = on; }
    // Closes a connection when this many messages have come in on it, before answering the last
    // (0: never).
    void setCloseAfter(int messages) { m_closeAfter = messages; }
    // How much longer each "/connect" waits after every wrong passcode so far.
    void setBadPasscodeBackoff(std::chrono::milliseconds step) { m_backoffStep = step; }
    void closeConnections();

    const QList<ReceivedMessage> &log() const { return m_log; }
    void clearLog() { m_log.clear(); }
    // Addresses received, in order.
    QStringList receivedAddresses() const;
    int openConnections() const { return int(m_connections.size()); }

signals:
    void messageReceived(const FakeQLabServer::ReceivedMessage &message);

private:
    struct Connection;

    void accept();
    void receive(Connection *connection);
    void handleNext(Connection *connection);
    void handle(Connection *connection, const OSCMessageReader::Message &message);
    void reply(Connection *connection, const QString &workspaceID, const QString &address,
        const FakeQLabResponder::Reply &reply);
    void queueOutput(Connection *connection, const QByteArray &frame);
    void pump(Connection *connection);
    std::chrono::milliseconds delayFor(const QString &address) const;
    void drop(Connection *connection);

    WorkspaceFixture m_fixture;
    FakeQLabResponder m_responder;
    QTcpServer m_server;
    QHash<QTcpSocket *, Connection *> m_connections;
    QList<ReceivedMessage> m_log;
    QList<Fault> m_faults;
    int m_connectionCount = 0;
    int m_chunkSize = 0;
    bool m_extraReplies = false;
    int m_closeAfter = 0;
    int m_badPasscodes = 0;
    std::chrono::milliseconds m_backoffStep { 100 };
};
