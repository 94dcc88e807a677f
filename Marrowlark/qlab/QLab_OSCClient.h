#pragma once

#include "qlab/OSCCueLevels.h"
#include "qlab/OSCCueListData.h"
#include "qlab/OSCMessage.h"
#include "qlab/OSCReplyWaiters.h"
#include "qlab/OSCWorkspace.h"
#include "qlab/QLabOSCResponse.h"
#include "qlab/SlipDecoder.h"

#include <QCoroTask>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>

#include <chrono>
#include <optional>
#include <utility>

class QTcpSocket;

// The program's one way of speaking OSC to QLab: one TCP connection with SLIP framing, on the
// main thread. Every request waits only for the replies that answer it: a reply counts for a
// request when its address is the request's address (without "/reply" and "/workspace/{id}"),
// so late and stray replies never pass for an answer. A message without a workspace prefix is
// answered by every open workspace; a request is settled by the first "ok" reply or once every
// workspace that has replied since connecting has answered it, else by its time-out. A client
// connected to a named workspace sends every message to that workspace alone.
//
// Operations throw OSCClientError. Cue enrichment and fade parameters are built on these
// requests in OSCCueEnricher and OSCFadeParamsReader.
class QLab_OSCClient : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isConnected READ isConnected NOTIFY isConnectedChanged)

public:
    using NotePair = std::pair<QString, QString>; // QLab cue ID, notes text

    static constexpr std::chrono::milliseconds connectTimeout { 3000 };
    static constexpr std::chrono::milliseconds connectSettleTime { 200 };
    static constexpr std::chrono::milliseconds queryTimeout { 2000 };
    // A large workspace's "/cueLists" reply takes a while to build and to send.
    static constexpr std::chrono::milliseconds cueListsTimeout { 10000 };

    explicit QLab_OSCClient(const QString &host = QStringLiteral("127.0.0.1"), quint16 port = 53000,
        QObject *parent = nullptr);
    ~QLab_OSCClient() override;

    const QString &host() const { return m_host; }
    quint16 port() const { return m_port; }

    // True from a successful connect until the next disconnect or connect; stays true when
    // QLab closes the connection (later sends then fail with the network's error).
    bool isConnected() const { return m_connected; }

    // Drops any current connection, connects and sends "/connect" (with the passcode when it is
    // not empty). Whether the passcode was accepted shows in the statuses of later replies.
    // With a workspace name, the workspace of that name is chosen from "/workspaces" first; from
    // then on every message, "/connect" included, carries its "/workspace/{id}" prefix. Throws
    // workspaceNotOpen or workspaceNameShared when none or several of the workspaces listed
    // there have that name. A QLab that leaves "/workspaces" unanswered is addressed without a
    // prefix (it answers nothing else either).
    QCoro::Task<> connectToQLab(
        std::optional<QString> passcode = std::nullopt, QString workspaceName = QString());
    // The unique ID of the workspace every message goes to; empty when messages go to all.
    const QString &workspaceID() const { return m_workspaceID; }
    void disconnectFromQLab();
    // Throws the network's error when QLab closed the connection after it was made, which
    // requests that absorb their failures (the cue enrichment) would otherwise hide.
    void requireOpenStream() const;

    // Sends one message and returns the replies that answer it, in arrival order.
    QCoro::Task<QList<QLabOSCResponse>> sendQuery(
        OSCMessage message, std::chrono::milliseconds timeout = queryTimeout);
    // "/cue_id/" + cueID + property without arguments; nothing is sent, and no reply returned,
    // when the identifier cannot be put into an address.
    QCoro::Task<QList<QLabOSCResponse>> queryCue(
        QString cueID, QString property, std::chrono::milliseconds timeout = queryTimeout);

    // (connected, granted): whether QLab answers the cue's "/name" with "ok".
    QCoro::Task<std::pair<bool, bool>> checkCueAccess(QString cueID);

    // Writes every note in one batch and returns one status per pair, in pair order: "ok"
    // when written; else the best other status that came back ("denied" before "error");
    // none when nothing answered the pair or its identifier cannot be sent. Only "ok" means the
    // note was written. QLab is asked first to answer every message, so each note gets a reply.
    QCoro::Task<QList<std::optional<QString>>> writeNotes(QList<NotePair> notes);
    // How long a batch of this many notes waits for its first replies: as long as a single
    // query, and 50 ms a note beyond forty. Each reply gives the rest another queryTimeout.
    static std::chrono::milliseconds notesBatchTimeout(qsizetype notes);

    QCoro::Task<std::optional<double>> fetchDuration(QString cueID);
    // None without an "ok" reply that holds a level matrix.
    QCoro::Task<std::optional<OSCCueLevels>> fetchLevels(QString cueID);
    // Every cue list of the workspace with its cues, flattened; empty without an "ok" reply.
    QCoro::Task<QList<OSCCueListData>> fetchCueLists();
    // The "/cueLists" replies, with the long wait a large workspace needs.
    QCoro::Task<QList<QLabOSCResponse>> queryCueLists();
    // The open workspaces; none when QLab does not answer with a list.
    QCoro::Task<std::optional<QList<OSCWorkspace>>> fetchWorkspaces();

    // The first "ok" reply, if any.
    static std::optional<QLabOSCResponse> firstOK(const QList<QLabOSCResponse> &replies);

signals:
    void isConnectedChanged();

private:
    struct PendingRequest;

    // Sends the messages and waits for their replies until each is settled or the timeout has
    // passed; from every reply that answers one of them, the rest get at least patience more.
    QCoro::Task<QHash<QString, QList<QLabOSCResponse>>> exchange(QList<OSCMessage> messages,
        std::chrono::milliseconds timeout,
        std::chrono::milliseconds patience = std::chrono::milliseconds(0));
    void send(const OSCMessage &message);
    // The message as it goes out: to the chosen workspace, if any.
    OSCMessage addressed(const OSCMessage &message) const;
    QCoro::Task<> chooseWorkspace(const QString &name);
    void requireConnection() const;
    bool isSettled(const QList<QLabOSCResponse> &replies, bool oneWorkspace) const;
    void setConnected(bool connected);
    void onReadyRead();
    void onSocketStateChanged();

    QString m_host;
    quint16 m_port;
    QPointer<QTcpSocket> m_socket;
    bool m_connected = false;
    bool m_streamEnded = false;
    bool m_alwaysReply = false;
    // Grows with every connect and disconnect, so a waiting request notices its connection went.
    quint64 m_connectionNumber = 0;
    SlipDecoder m_decoder;
    OSCReplyWaiters m_waiters;
    QList<PendingRequest *> m_pending;
    QSet<QString> m_workspaceIDs; // workspaces that replied on this connection
    QString m_workspaceID; // the workspace every message goes to; empty: all
};
