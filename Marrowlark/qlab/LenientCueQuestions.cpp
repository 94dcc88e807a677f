#include "qlab/LenientCueQuestions.h"

#include "qlab/OSCClientError.h"
#include "qlab/QLab_OSCClient.h"

QCoro::Task<std::optional<QJsonValue>> LenientCueQuestions::answer(
    QString cueID, QString property) const
{
    std::optional<QLabOSCResponse> reply;
    try {
        const QList<QLabOSCResponse> replies = co_await m_client.queryCue(cueID, property);
        reply = QLab_OSCClient::firstOK(replies);
    } catch (const OSCClientError &) { }
    co_return reply ? reply->payload : std::nullopt;
}

QCoro::Task<std::optional<double>> LenientCueQuestions::duration(QString cueID) const
{
    std::optional<double> seconds;
    try {
        seconds = co_await m_client.fetchDuration(cueID);
    } catch (const OSCClientError &) { }
    co_return seconds;
}
