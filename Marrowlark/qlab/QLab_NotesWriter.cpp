#include "qlab/QLab_NotesWriter.h"

#include "model/AppText.h"
#include "qlab/OSCClientError.h"
#include "qlab/OSCCueAddress.h"
#include "qlab/QLabPasscodes.h"

#include <QCoroSignal>

using namespace Qt::StringLiterals;

namespace {

WriteBackResult failure(int total, const QString &message)
{
    return { total, 0, 0, total, false, message };
}

} // namespace

QLab_NotesWriter &QLab_NotesWriter::shared()
{
    static QLab_NotesWriter *writer = new QLab_NotesWriter;
    return *writer;
}

QLab_NotesWriter::QLab_NotesWriter(const QString &host, quint16 port, QObject *parent)
    : QObject(parent)
    , m_oscClient(host, port)
{ }

QCoro::Task<QLab_NotesWriter::CueAnswer> QLab_NotesWriter::cueExists(QString cueID)
{
    QList<QLabOSCResponse> replies;
    try {
        replies = co_await m_oscClient.queryCue(cueID, u"/type"_s);
    } catch (const OSCClientError &) {
        co_return CueAnswer::notFound;
    }
    if (QLab_OSCClient::firstOK(replies))
        co_return CueAnswer::found;
    const bool denied = std::any_of(replies.cbegin(), replies.cend(),
        [](const QLabOSCResponse &reply) { return reply.status == u"denied"; });
    co_return denied ? CueAnswer::denied : CueAnswer::notFound;
}

QCoro::Task<WriteBackResult> QLab_NotesWriter::writeNotes(
    QList<NotePair> items, int considered, QString workspaceName)
{
    if (items.isEmpty())
        co_return WriteBackResult { 0, 0, considered, 0, false, AppText::noCuesToWrite() };
    // Both would share one connection, and each connect drops the other's.
    while (m_writing)
        co_await qCoro(this, &QLab_NotesWriter::writeFinished);
    m_writing = true;
    const WriteBackResult result = co_await writeConnected(items, considered, workspaceName);
    m_writing = false;
    emit writeFinished();
    co_return result;
}

QCoro::Task<> QLab_NotesWriter::connect(const QString &workspaceName)
{
    co_await m_oscClient.connectToQLab(std::nullopt, workspaceName);
    // The workspace is known once connected; its passcode then opens it as it did for the import.
    if (const auto passcode = QLabPasscodes::granted(m_oscClient.workspaceID()))
        co_await m_oscClient.connectToQLab(passcode, workspaceName);
}

QCoro::Task<WriteBackResult> QLab_NotesWriter::writeConnected(
    const QList<NotePair> &items, int considered, const QString &workspaceName)
{
    const int total = int(items.size());
    try {
        co_await connect(workspaceName);
    } catch (const OSCClientError &error) {
        const bool workspace = error.code() == OSCClientError::workspaceNotOpen
            || error.code() == OSCClientError::workspaceNameShared;
        co_return failure(total, workspace ? error.description() : AppText::oscNotAvailablePort());
    }

    // A note whose identifier cannot be sent proves nothing about the workspace.
    const auto probe = std::find_if(items.cbegin(), items.cend(),
        [](const NotePair &item) { return OSCCueAddress::isSendable(item.first); });
    CueAnswer answer = CueAnswer::notFound;
    if (probe != items.cend())
        answer = co_await cueExists(probe->first);
    if (answer == CueAnswer::denied) {
        m_oscClient.disconnectFromQLab();
        WriteBackResult denied = failure(total, AppText::writeAccessDeniedMessage());
        denied.denied = true;
        co_return denied;
    }
    if (answer == CueAnswer::notFound) {
        m_oscClient.disconnectFromQLab();
        co_return failure(total, AppText::cueIDsNotFoundMessage());
    }

    QList<std::optional<QString>> statuses;
    std::optional<QString> dropped;
    try {
        statuses = co_await m_oscClient.writeNotes(items);
        // Notes without an answer were lost with the connection: say why.
        m_oscClient.requireOpenStream();
    } catch (const OSCClientError &error) {
        if (statuses.isEmpty()) {
            m_oscClient.disconnectFromQLab();
            co_return failure(total, error.description());
        }
        dropped = error.description();
    }
    m_oscClient.disconnectFromQLab();

    // Only "ok" means written: a note that got no answer may have been lost with the connection.
    WriteBackResult result { total, 0, considered - total, 0, false, std::nullopt };
    for (const std::optional<QString> &status : std::as_const(statuses)) {
        if (status == u"ok"_s) {
            ++result.written;
        } else if (status == u"denied"_s) {
            result.denied = true;
            break;
        } else {
            ++result.errors;
        }
    }
    if (result.denied) {
        result.errors = std::max(result.errors + 1, total - result.written);
        result.errorMessage = AppText::writeAccessDeniedMessage();
    } else if (dropped && result.errors > 0) {
        result.errorMessage = dropped;
    }
    co_return result;
}
