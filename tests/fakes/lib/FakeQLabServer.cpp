#include "FakeQLabServer.h"

#include "OSCMessageReader.h"
#include "qlab/OSCMessage.h"
#include "qlab/SlipDecoder.h"
#include "qlab/SlipEncoder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

struct FakeQLabServer::Connection
{
    int number = 0;
    QTcpSocket *socket = nullptr;
    SlipDecoder decoder;
    int received = 0;
    QList<OSCMessageReader::Message> inbox;
    bool busy = false; // a delayed message is being held
    QHash<qsizetype, FakeQLabResponder::Client> clients; // by workspace
    QList<QByteArray> outbox;
    bool pumping = false; // waiting before the next piece of a split reply
};

FakeQLabServer::FakeQLabServer(const WorkspaceFixture &fixture, QObject *parent)
    : QObject(parent)
    , m_fixture(fixture)
    , m_responder(m_fixture)
{
    connect(&m_server, &QTcpServer::newConnection, this, &FakeQLabServer::accept);
}

FakeQLabServer::~FakeQLabServer()
{
    m_server.close();
    for (Connection *connection : std::as_const(m_connections)) {
        connection->socket->disconnect(this);
        delete connection;
    }
}

bool FakeQLabServer::listen(quint16 port)
{
    return m_server.listen(QHostAddress::LocalHost, port);
}

void FakeQLabServer::closeConnections()
{
    // A socket with nothing left to write disconnects at once, and drop() takes it out of
    // m_connections: walk a copy.
    const QList<QTcpSocket *> sockets = m_connections.keys();
    for (QTcpSocket *socket : sockets)
        socket->disconnectFromHost();
}

QStringList FakeQLabServer::receivedAddresses() const
{
    QStringList addresses;
    for (const ReceivedMessage &message : m_log)
        addresses.append(message.address);
    return addresses;
}

void FakeQLabServer::accept()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        auto *connection = new Connection;
        connection->number = ++m_connectionCount;
        connection->socket = socket;
        m_connections.insert(socket, connection);
        connect(socket, &QTcpSocket::readyRead, this, [this, connection] { receive(connection); });
        connect(socket, &QTcpSocket::disconnected, this, [this, connection] { drop(connection); });
    }
}

void FakeQLabServer::drop(Connection *connection)
{
    m_connections.remove(connection->socket);
    connection->socket->disconnect(this);
    connection->socket->deleteLater();
    delete connection;
}

void FakeQLabServer::receive(Connection *connection)
{
    for (const QByteArray &frame : connection->decoder.feed(connection->socket->readAll())) {
        const auto message = OSCMessageReader::read(frame);
        if (!message)
            continue; // QLab ignores what is not an OSC message
        ++connection->received;
        const ReceivedMessage received { connection->number, message->address, message->typeTags,
            message->arguments };
        m_log.append(received);
        emit messageReceived(received);
        if (m_closeAfter > 0 && connection->received >= m_closeAfter) {
            connection->socket->disconnectFromHost();
            return;
        }
        connection->inbox.append(*message);
    }
    handleNext(connection);
}

void FakeQLabServer::handleNext(Connection *connection)
{
    while (!connection->busy && !connection->inbox.isEmpty()) {
        const OSCMessageReader::Message message = connection->inbox.takeFirst();
        std::chrono::milliseconds delay = delayFor(message.address);
        if (message.address.endsWith(u"/connect"))
            delay += m_backoffStep * m_badPasscodes;
        if (delay <= 0ms) {
            handle(connection, message);
            continue;
        }
        connection->busy = true;
        QTimer::singleShot(delay, this, [this, socket = QPointer(connection->socket), message] {
            Connection *held = socket ? m_connections.value(socket) : nullptr;
            if (!held)
                return;
            held->busy = false;
            handle(held, message);
            handleNext(held);
        });
    }
}

void FakeQLabServer::handle(Connection *connection, const OSCMessageReader::Message &message)
{
    QString address = message.address;
    QList<qsizetype> workspaces;
    if (address == u"/workspaces") {
        // QLab itself answers, once, for every open workspace.
        QJsonArray open;
        for (const WorkspaceFixture::Workspace &ws : m_fixture.workspaces())
            open.append(
                QJsonObject { { u"uniqueID"_s, ws.uniqueID }, { u"displayName"_s, ws.displayName },
                    { u"hasPasscode"_s, !ws.passcodes.isEmpty() }, { u"version"_s, u"5.0"_s } });
        const bool silent = std::any_of(m_faults.cbegin(), m_faults.cend(),
            [&](const Fault &f) { return f.silent && address.contains(f.addressContains); });
        if (!silent)
            reply(connection, QString(), address, { u"ok"_s, open });
        return;
    }
    if (address.startsWith(u"/workspace/")) {
        const qsizetype slash = address.indexOf(u'/', 11);
        const QString id = address.mid(11, slash < 0 ? -1 : slash - 11);
        const qsizetype index = m_fixture.workspaceIndex(id);
        if (index < 0 || slash < 0) {
            reply(connection, id, message.address, { u"error"_s, std::nullopt });
            return;
        }
        workspaces.append(index);
        address = address.mid(slash);
    } else {
        for (qsizetype i = 0; i < m_fixture.workspaces().size(); ++i)
            workspaces.append(i);
    }

    for (qsizetype index : workspaces) {
        auto answer
            = m_responder.answer(index, connection->clients[index], address, message.arguments);
        if (answer && answer->data == QJsonValue(u"badpass"_s))
            ++m_badPasscodes;
        bool silent = false;
        for (const Fault &fault : std::as_const(m_faults)) {
            if (!message.address.contains(fault.addressContains))
                continue;
            silent = silent || fault.silent;
            if (answer && !fault.status.isEmpty()) {
                answer->status = fault.status;
                if (fault.status != u"ok")
                    answer->data.reset();
            }
        }
        if (answer && !silent)
            reply(connection, m_fixture.workspaces().at(index).uniqueID, message.address, *answer);
    }
}

void FakeQLabServer::reply(Connection *connection, const QString &workspaceID,
    const QString &address, const FakeQLabResponder::Reply &reply)
{
    auto frame = [&](const QString &replyAddress, const QString &status,
                     const std::optional<QJsonValue> &data) {
        QJsonObject object { { u"address"_s, replyAddress }, { u"status"_s, status } };
        if (!workspaceID.isEmpty())
            object.insert(u"workspace_id"_s, workspaceID);
        if (data)
            object.insert(u"data"_s, *data);
        const QString json
            = QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
        return SlipEncoder::encode(
            OSCMessage(u"/reply"_s + replyAddress).addString(json).encoded());
    };
    if (m_extraReplies)
        queueOutput(
            connection, frame(u"/cue_id/STRAY-REPLY/name"_s, u"ok"_s, QJsonValue(u"stray"_s)));
    queueOutput(connection, frame(address, reply.status, reply.data));
}

void FakeQLabServer::queueOutput(Connection *connection, const QByteArray &frame)
{
    if (m_chunkSize > 0) {
        for (qsizetype i = 0; i < frame.size(); i += m_chunkSize)
            connection->outbox.append(frame.mid(i, m_chunkSize));
    } else {
        connection->outbox.append(frame);
    }
    pump(connection);
}

void FakeQLabServer::pump(Connection *connection)
{
    while (!connection->pumping && !connection->outbox.isEmpty()) {
        connection->socket->write(connection->outbox.takeFirst());
        connection->socket->flush();
        if (m_chunkSize == 0)
            continue;
        // A pause between pieces, so that they arrive as separate reads.
        connection->pumping = true;
        QTimer::singleShot(5ms, this, [this, socket = QPointer(connection->socket)] {
            if (Connection *held = socket ? m_connections.value(socket) : nullptr) {
                held->pumping = false;
                pump(held);
            }
        });
    }
}

std::chrono::milliseconds FakeQLabServer::delayFor(const QString &address) const
{
    std::chrono::milliseconds delay { 0 };
    for (const Fault &fault : m_faults) {
        if (address.contains(fault.addressContains))
            delay = std::max(delay, fault.delay);
    }
    return delay;
}
