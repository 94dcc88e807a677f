#include "qlab/OSCCueEnricher.h"

#include "qlab/LenientCueQuestions.h"
#include "qlab/OSCClientError.h"
#include "qlab/OSCCueAddress.h"
#include "qlab/OSCCueDescriber.h"
#include "qlab/OSCCueListReader.h"
#include "qlab/OSCValue.h"
#include "qlab/QLab_OSCClient.h"

#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace {

using Answer = std::optional<QJsonValue>;

// A number answer by its whole part; texts do not count.
std::optional<qint64> numericMode(const Answer &answer)
{
    if (!answer || !answer->isDouble())
        return std::nullopt;
    return OSCValue::wholePart(answer->toDouble());
}

QCoro::Task<> applyNotesAndWaits(QLab_OSCClient &client, OSCCueData &cue)
{
    const auto address = OSCCueAddress::make(cue.qlabCueID, u"/valuesForKeys");
    if (!address)
        co_return;
    std::optional<QLabOSCResponse> reply;
    try {
        const QList<QLabOSCResponse> replies = co_await client.sendQuery(
            OSCMessage(*address).addString(u"[\"notes\",\"preWait\",\"postWait\"]"_s),
            OSCCueEnricher::valuesForKeysTimeout);
        reply = QLab_OSCClient::firstOK(replies);
    } catch (const OSCClientError &) {
        co_return;
    }
    if (!reply || !reply->payload || !reply->payload->isObject())
        co_return;
    const QJsonObject values = reply->payload->toObject();
    if (const auto notes = OSCValue::text(values.value(u"notes")))
        cue.notes = *notes;
    if (const QJsonValue preWait = values.value(u"preWait"); preWait.isDouble())
        cue.preWait = preWait.toDouble();
    if (const QJsonValue postWait = values.value(u"postWait"); postWait.isDouble())
        cue.postWait = postWait.toDouble();
}

QString groupModeLabel(qint64 mode)
{
    switch (mode) {
    case 0:
        return u"Cue List"_s;
    case 1:
        return u"Start first and enter"_s;
    case 2:
        return u"Start first and go to next"_s;
    case 3:
        return u"Timeline"_s;
    case 4:
        return u"Start random"_s;
    default:
        return QString();
    }
}

QCoro::Task<> enrich(QLab_OSCClient &client, OSCCueData &cue)
{
    co_await applyNotesAndWaits(client, cue);
    const QString id = cue.qlabCueID;
    const LenientCueQuestions questions(client);
    const OSCCueDescriber describer(questions);
    const QString baseType = cue.type.section(u' ', 0, 0);

    if (OSCCueListReader::isTargetType(baseType) || baseType == u"Devamp") {
        if (const auto label = co_await describer.targetLabel(id))
            cue.action = baseType + u" \u2192 "_s + *label;
    } else if (baseType == u"MIDI") {
        cue.action = co_await describer.describeMIDI(id);
    } else if (baseType == u"Group") {
        const Answer answer = co_await questions.answer(id, u"/mode"_s);
        if (const auto mode = numericMode(answer)) {
            if (const QString label = groupModeLabel(*mode); !label.isEmpty())
                cue.type = u"Group ("_s + label + u')';
        }
    } else if (baseType == u"Fade") {
        const Answer answer = co_await questions.answer(id, u"/levelsMode"_s);
        const auto mode = numericMode(answer);
        if (mode == 1)
            cue.type = u"Fade (Relative)"_s;
        else if (mode == 0)
            cue.type = u"Fade (Absolute)"_s;
    } else if (baseType == u"Timecode") {
        cue.action = co_await describer.describeTimecode(id);
    } else if (baseType == u"Network") {
        cue.action = co_await describer.describeNetwork(id);
    }
}

} // namespace

QCoro::Task<QList<OSCCueData>> OSCCueEnricher::enrichCueData(
    QLab_OSCClient &client, QList<OSCCueData> cues)
{
    for (OSCCueData &cue : cues) {
        if (OSCCueAddress::isSendable(cue.qlabCueID))
            co_await enrich(client, cue);
    }
    co_return cues;
}
