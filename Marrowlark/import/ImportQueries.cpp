#include "import/ImportQueries.h"

#include "import/ImportError.h"
#include "qlab/OSCCueAddress.h"
#include "qlab/OSCCueEnricher.h"
#include "qlab/OSCFadeParamsReader.h"
#include "qlab/QLab_OSCClient.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

ImportQueries::ImportQueries(QLab_OSCClient &client, ImportRun run)
    : m_client(client)
    , m_run(std::move(run))
{ }

void ImportQueries::ensureCurrent() const
{
    if (!m_run.isCurrent())
        throw ImportError(ImportError::Kind::cancelled);
}

QCoro::Task<std::optional<QJsonValue>> ImportQueries::answer(QString cueID, QString property) const
{
    ensureCurrent();
    const auto reply = QLab_OSCClient::firstOK(co_await m_client.queryCue(cueID, property));
    ensureCurrent();
    co_return reply ? reply->payload : std::nullopt;
}

QCoro::Task<std::optional<QJsonValue>> ImportQueries::answerAgain(
    QString cueID, QString property) const
{
    ensureCurrent();
    const auto reply = QLab_OSCClient::firstOK(
        co_await m_client.queryCue(cueID, property, OSCCueEnricher::retryTimeout));
    ensureCurrent();
    co_return reply ? reply->payload : std::nullopt;
}

QCoro::Task<std::optional<QString>> ImportQueries::textAnswer(QString cueID, QString property) const
{
    const std::optional<QJsonValue> value = co_await answer(cueID, property);
    if (!value || !value->isString() || value->toString().isEmpty())
        co_return std::nullopt;
    co_return value->toString();
}

QCoro::Task<std::optional<QJsonObject>> ImportQueries::valuesForKeys(
    QString cueID, QStringList keys) const
{
    ensureCurrent();
    const std::optional<QString> address = OSCCueAddress::make(cueID, u"/valuesForKeys");
    if (!address)
        co_return std::nullopt;
    const QByteArray json
        = QJsonDocument(QJsonArray::fromStringList(keys)).toJson(QJsonDocument::Compact);
    const auto reply = QLab_OSCClient::firstOK(
        co_await m_client.sendQuery(OSCMessage(*address).addString(QString::fromUtf8(json))));
    ensureCurrent();
    if (!reply || !reply->payload || !reply->payload->isObject())
        co_return std::nullopt;
    co_return reply->payload->toObject();
}

QCoro::Task<std::optional<double>> ImportQueries::duration(QString cueID) const
{
    ensureCurrent();
    const std::optional<double> seconds = co_await m_client.fetchDuration(cueID);
    ensureCurrent();
    co_return seconds;
}

QCoro::Task<std::optional<OSCCueLevels>> ImportQueries::levels(QString cueID) const
{
    ensureCurrent();
    const std::optional<OSCCueLevels> result = co_await m_client.fetchLevels(cueID);
    ensureCurrent();
    co_return result;
}

QCoro::Task<FadeOSCParams> ImportQueries::fadeParams(QString cueID) const
{
    ensureCurrent();
    const FadeOSCParams params = co_await OSCFadeParamsReader::fetchFadeParams(m_client, cueID);
    ensureCurrent();
    co_return params;
}
