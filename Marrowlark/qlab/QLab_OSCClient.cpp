#include "qlab/QLab_OSCClient.h"

#include "qlab/OSCClientError.h"
#include "qlab/OSCCueAddress.h"
#include "qlab/OSCCueListReader.h"
#include "qlab/OSCReplyParser.h"
#include "qlab/OSCValue.h"
#include "qlab/SlipEncoder.h"

#include <QDeadlineTimer>
#include <QTcpSocket>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

// The replies of one exchange, by request address, while it waits.
struct QLab_OSCClient::PendingRequest
{
    QHash<QString, QList<QLabOSCResponse>> replies; // by address without prefixes
    QSet<QString> toOneWorkspace; // addresses sent with a "/workspace/{id}" prefix
    qsizetype received = 0; // replies that answered it so far
};

namespace {

// Keeps a request registered for replies while it waits, also when it throws.
template <typename Request> class Registration
{
public:
    Registration(QList<Request *> &list, Request *request)
        : m_list(list)
        , m_request(request)
    {
        m_list.append(m_request);
    }
    ~Registration() { m_list.removeOne(m_request); }
    Registration(const Registration &) = delete;
    Registration &operator=(const Registration &) = delete;

private:
    QList<Request *> &m_list;
    Request *m_request;
};

int statusRank(const QString &status)
{
    if (status == u"ok")
        return 3;
    if (status == u"denied")
        return 2;
    return 1;
}

std::chrono::milliseconds remaining(const QDeadlineTimer &deadline)
{
    return std::chrono::milliseconds(deadline.remainingTime());
}

} // namespace

QLab_OSCClient::QLab_OSCClient(const QString &host, quint16 port, QObject *parent)
    : QObject(parent)
    , m_host(host)
    , m_port(port)
    , m_waiters(this)
{ }

QLab_OSCClient::~QLab_OSCClient()
{
    if (m_socket)
        m_socket->disconnect(this);
}

QCoro::Task<> QLab_OSCClient::connectToQLab(std::optional<QString> passcode, QString workspaceName)
{
    disconnectFromQLab();
    const quint64 connectionNumber = m_connectionNumber;
    auto *socket = new QTcpSocket(this);
    m_socket = socket;
    QObject::connect(socket, &QTcpSocket::readyRead, this, &QLab_OSCClient::onReadyRead);
    QObject::connect(
        socket, &QTcpSocket::stateChanged, this, &QLab_OSCClient::onSocketStateChanged);
    socket->connectToHost(m_host, m_port);

    const QDeadlineTimer deadline(connectTimeout);
    while (socket->state() != QAbstractSocket::ConnectedState) {
        if (socket->state() == QAbstractSocket::UnconnectedState)
            throw OSCClientError(*socket);
        if (deadline.hasExpired()) {
            disconnectFromQLab();
            throw OSCClientError(OSCClientError::connectionTimeout);
        }
        co_await m_waiters.wait(remaining(deadline));
        if (m_connectionNumber != connectionNumber)
            throw OSCClientError(OSCClientError::connectionFailed);
    }
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    setConnected(true);
    if (!workspaceName.isEmpty())
        co_await chooseWorkspace(workspaceName);

    OSCMessage message(u"/connect"_s);
    if (passcode && !passcode->isEmpty())
        message.addString(*passcode);
    send(addressed(message));

    // The reply to "/connect" is not read; the pause lets every open workspace answer it, so
    // the client knows how many workspaces answer a request.
    const QDeadlineTimer settled(connectSettleTime);
    while (!settled.hasExpired() && m_connectionNumber == connectionNumber)
        co_await m_waiters.wait(remaining(settled));
}

QCoro::Task<> QLab_OSCClient::chooseWorkspace(const QString &name)
{
    const std::optional<QList<OSCWorkspace>> open = co_await fetchWorkspaces();
    if (!open)
        co_return;
    // Never another workspace under the chosen name, not even the only one open: its cues
    // would pass for the chosen one's.
    QList<OSCWorkspace> chosen;
    for (const OSCWorkspace &workspace : *open) {
        if (workspace.isNamed(name))
            chosen.append(workspace);
    }
    if (chosen.size() != 1) {
        disconnectFromQLab();
        throw OSCClientError(chosen.isEmpty() ? OSCClientError::workspaceNotOpen
                                              : OSCClientError::workspaceNameShared,
            name);
    }
    m_workspaceID = chosen.constFirst().uniqueID;
}

void QLab_OSCClient::disconnectFromQLab()
{
    ++m_connectionNumber;
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
        m_socket->deleteLater();
        m_socket = nullptr;
    }
    setConnected(false);
    m_streamEnded = false;
    m_alwaysReply = false;
    m_workspaceIDs.clear();
    m_workspaceID.clear();
    m_decoder.reset();
    m_waiters.wakeAll();
}

QCoro::Task<QList<QLabOSCResponse>> QLab_OSCClient::sendQuery(
    OSCMessage message, std::chrono::milliseconds timeout)
{
    const QString address = message.address();
    QList<OSCMessage> messages;
    messages.append(message);
    const auto replies = co_await exchange(messages, timeout);
    co_return replies.value(QLabOSCResponse::withoutPrefixes(address));
}

QCoro::Task<QList<QLabOSCResponse>> QLab_OSCClient::queryCue(
    QString cueID, QString property, std::chrono::milliseconds timeout)
{
    requireConnection();
    const auto address = OSCCueAddress::make(cueID, property);
    if (!address)
        co_return {};
    const QList<QLabOSCResponse> replies = co_await sendQuery(OSCMessage(*address), timeout);
    co_return replies;
}

QCoro::Task<std::pair<bool, bool>> QLab_OSCClient::checkCueAccess(QString cueID)
{
    if (!m_connected)
        co_return std::pair(false, false);
    if (!OSCCueAddress::isSendable(cueID))
        co_return std::pair(true, false);
    const QList<QLabOSCResponse> replies = co_await queryCue(cueID, u"/name"_s);
    const bool granted = firstOK(replies).has_value();
    co_return std::pair(true, granted);
}

QCoro::Task<QList<std::optional<QString>>> QLab_OSCClient::writeNotes(QList<NotePair> notes)
{
    requireConnection();
    QList<std::optional<QString>> statuses(notes.size());
    QList<OSCMessage> messages;
    QList<std::optional<QString>> addresses;
    for (const NotePair &note : notes) {
        addresses.append(OSCCueAddress::make(note.first, u"/notes"));
        if (addresses.last())
            messages.append(OSCMessage(*addresses.last()).addString(note.second));
    }
    if (messages.isEmpty())
        co_return statuses;

    if (!m_alwaysReply) {
        // By default QLab does not answer a message that sets a value; only an answer tells a
        // written note from a lost one. Whether this message is answered itself does not
        // matter: the batch waits for its notes only.
        send(addressed(OSCMessage(u"/alwaysReply"_s).addInt32(1)));
        m_alwaysReply = true;
    }
    // A busy QLab answers the notes late, one after the other: while the answers keep coming,
    // the rest are waited for, so that no note QLab stored is counted as lost.
    const auto replies
        = co_await exchange(messages, notesBatchTimeout(messages.size()), queryTimeout);

    for (qsizetype i = 0; i < notes.size(); ++i) {
        if (!addresses.at(i))
            continue;
        for (const QLabOSCResponse &reply :
            replies.value(QLabOSCResponse::withoutPrefixes(*addresses.at(i)))) {
            if (!statuses.at(i) || statusRank(reply.status) > statusRank(*statuses.at(i)))
                statuses[i] = reply.status;
        }
    }
    co_return statuses;
}

std::chrono::milliseconds QLab_OSCClient::notesBatchTimeout(qsizetype notes)
{
    return std::max<std::chrono::milliseconds>(queryTimeout, 50ms * notes);
}

QCoro::Task<std::optional<double>> QLab_OSCClient::fetchDuration(QString cueID)
{
    const QList<QLabOSCResponse> replies = co_await queryCue(cueID, u"/duration"_s);
    const auto reply = firstOK(replies);
    co_return reply ? OSCValue::doubleValue(reply->payload) : std::nullopt;
}

QCoro::Task<std::optional<OSCCueLevels>> QLab_OSCClient::fetchLevels(QString cueID)
{
    const QList<QLabOSCResponse> replies = co_await queryCue(cueID, u"/levels"_s);
    const auto reply = firstOK(replies);
    co_return reply ? OSCCueLevels::fromMatrix(reply->payload) : std::nullopt;
}

QCoro::Task<QList<OSCCueListData>> QLab_OSCClient::fetchCueLists()
{
    const auto reply = firstOK(co_await queryCueLists());
    co_return reply ? OSCCueListReader::readCueLists(reply->payload) : QList<OSCCueListData>();
}

QCoro::Task<QList<QLabOSCResponse>> QLab_OSCClient::queryCueLists()
{
    const QList<QLabOSCResponse> replies
        = co_await sendQuery(OSCMessage(u"/cueLists"_s), cueListsTimeout);
    co_return replies;
}

QCoro::Task<std::optional<QList<OSCWorkspace>>> QLab_OSCClient::fetchWorkspaces()
{
    const auto reply = firstOK(co_await sendQuery(OSCMessage(u"/workspaces"_s)));
    co_return reply ? OSCWorkspace::listFrom(reply->payload) : std::nullopt;
}

std::optional<QLabOSCResponse> QLab_OSCClient::firstOK(const QList<QLabOSCResponse> &replies)
{
    const auto it = std::find_if(replies.cbegin(), replies.cend(),
        [](const QLabOSCResponse &reply) { return reply.isOK(); });
    return it == replies.cend() ? std::nullopt : std::optional<QLabOSCResponse>(*it);
}

QCoro::Task<QHash<QString, QList<QLabOSCResponse>>> QLab_OSCClient::exchange(
    QList<OSCMessage> messages, std::chrono::milliseconds timeout,
    std::chrono::milliseconds patience)
{
    requireConnection();
    const quint64 connectionNumber = m_connectionNumber;
    for (OSCMessage &message : messages)
        message = addressed(message);
    PendingRequest request;
    for (const OSCMessage &message : messages) {
        const QString address = QLabOSCResponse::withoutPrefixes(message.address());
        request.replies.insert(address, {});
        if (message.address().startsWith(u"/workspace/"))
            request.toOneWorkspace.insert(address);
    }
    Registration registration(m_pending, &request);

    for (const OSCMessage &message : messages)
        send(message);

    QDeadlineTimer deadline(timeout);
    qsizetype answered = 0;
    auto settled = [&] {
        for (auto it = request.replies.cbegin(); it != request.replies.cend(); ++it) {
            if (!isSettled(it.value(), request.toOneWorkspace.contains(it.key())))
                return false;
        }
        return true;
    };
    while (!settled() && !deadline.hasExpired() && !m_streamEnded && !m_decoder.hasOverflowed()
        && m_connectionNumber == connectionNumber) {
        co_await m_waiters.wait(remaining(deadline));
        if (request.received > answered) {
            answered = request.received;
            deadline = std::max(deadline, QDeadlineTimer(patience));
        }
    }
    // Part of what QLab sent was dropped: the answer may be in it.
    if (m_connectionNumber == connectionNumber && m_decoder.hasOverflowed())
        throw OSCClientError(OSCClientError::invalidResponse);
    co_return request.replies;
}

void QLab_OSCClient::send(const OSCMessage &message)
{
    requireConnection();
    if (m_socket->state() != QAbstractSocket::ConnectedState)
        throw OSCClientError(*m_socket);
    const QByteArray frame = SlipEncoder::encode(message.encoded());
    if (m_socket->write(frame) != frame.size())
        throw OSCClientError(*m_socket);
    m_socket->flush();
}

OSCMessage QLab_OSCClient::addressed(const OSCMessage &message) const
{
    // "/workspaces" belongs to QLab itself, not to a workspace.
    if (m_workspaceID.isEmpty() || message.address() == u"/workspaces")
        return message;
    return message.prefixed(u"/workspace/"_s + m_workspaceID);
}

void QLab_OSCClient::requireConnection() const
{
    if (!m_connected || !m_socket)
        throw OSCClientError(OSCClientError::notConnected);
}

void QLab_OSCClient::requireOpenStream() const
{
    requireConnection();
    if (m_streamEnded)
        throw OSCClientError(*m_socket);
}

bool QLab_OSCClient::isSettled(const QList<QLabOSCResponse> &replies, bool oneWorkspace) const
{
    if (firstOK(replies))
        return true;
    if (oneWorkspace)
        return !replies.isEmpty();
    QSet<QString> answered;
    for (const QLabOSCResponse &reply : replies)
        answered.insert(reply.workspaceID);
    return answered.size() >= std::max<qsizetype>(1, m_workspaceIDs.size());
}

void QLab_OSCClient::setConnected(bool connected)
{
    if (m_connected == connected)
        return;
    m_connected = connected;
    emit isConnectedChanged();
}

void QLab_OSCClient::onReadyRead()
{
    bool arrived = false;
    for (const QByteArray &frame : m_decoder.feed(m_socket->readAll())) {
        const auto reply = OSCReplyParser::parse(frame);
        if (!reply)
            continue;
        arrived = true;
        // A message without a workspace prefix is answered by every open workspace.
        if (!reply->address.startsWith(u"/workspace/") && !reply->workspaceID.isEmpty())
            m_workspaceIDs.insert(reply->workspaceID);
        const QString address = reply->requestAddress();
        for (PendingRequest *request : std::as_const(m_pending)) {
            const auto it = request->replies.find(address);
            if (it != request->replies.end()) {
                it->append(*reply);
                ++request->received;
            }
        }
    }
    if (arrived || m_decoder.hasOverflowed())
        m_waiters.wakeAll();
}

void QLab_OSCClient::onSocketStateChanged()
{
    if (m_connected && m_socket->state() == QAbstractSocket::UnconnectedState)
        m_streamEnded = true;
    m_waiters.wakeAll();
}
