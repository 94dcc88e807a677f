#include "qlab/QLab_NotesWriter.h"

#include "model/AppText.h"
#include "qlab/OSCClientError.h"

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

QCoro::Task<bool> QLab_NotesWriter::cueExists(QString cueID)
{
    try {
        co_return QLab_OSCClient::firstOK(co_await m_oscClient.queryCue(cueID, u"/type"_s))
            .has_value();
    } catch (const OSCClientError &) {
        co_return false;
    }
}

QCoro::Task<WriteBackResult> QLab_NotesWriter::writeNotes(QList<NotePair> items, int considered)
{
    if (items.isEmpty())
        co_return WriteBackResult { 0, 0, considered, 0, false, AppText::noCuesToWrite() };
    // Both would share one connection, and each connect drops the other's.
    while (m_writing)
        co_await qCoro(this, &QLab_NotesWriter::writeFinished);
    m_writing = true;
    const WriteBackResult result = co_await writeConnected(items, considered);
    m_writing = false;
    emit writeFinished();
    co_return result;
}

QCoro::Task<WriteBackResult> QLab_NotesWriter::writeConnected(
    const QList<NotePair> &items, int considered)
{
    const int total = int(items.size());
    try {
        co_await m_oscClient.connectToQLab(std::nullopt);
    } catch (const OSCClientError &) {
        co_return failure(total, AppText::oscNotAvailablePort());
    }

    if (!co_await cueExists(items.first().first)) {
        m_oscClient.disconnectFromQLab();
        co_return failure(total, AppText::cueIDsNotFoundMessage());
    }

    QList<std::optional<QString>> statuses;
    try {
        statuses = co_await m_oscClient.writeNotes(items);
    } catch (const OSCClientError &error) {
        m_oscClient.disconnectFromQLab();
        co_return failure(total, error.description());
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
    }
    co_return result;
}
