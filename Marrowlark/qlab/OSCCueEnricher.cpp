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

// Whether QLab's answer said what the notes are; a non-empty text replaces them.
bool takeNotes(const QJsonValue &notes, OSCCueData &cue)
{
    if (!notes.isString())
        return false;
    if (const auto text = OSCValue::text(notes))
        cue.notes = *text;
    return true;
}

// Whether QLab's answer said what the wait is.
bool takeSeconds(const QJsonValue &value, double &seconds)
{
    if (!value.isDouble())
        return false;
    seconds = value.toDouble();
    return true;
}

// A busy QLab may answer late: the property alone, with the longer wait.
QCoro::Task<Answer> askAgain(QLab_OSCClient &client, const QString &cueID, QString property)
{
    std::optional<QLabOSCResponse> reply;
    try {
        reply = QLab_OSCClient::firstOK(
            co_await client.queryCue(cueID, property, OSCCueEnricher::retryTimeout));
    } catch (const OSCClientError &) { }
    co_return reply ? reply->payload : std::nullopt;
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
    } catch (const OSCClientError &) { }
    bool preWaitRead = cue.waitsRead;
    bool postWaitRead = cue.waitsRead;
    if (reply && reply->payload && reply->payload->isObject()) {
        const QJsonObject values = reply->payload->toObject();
        cue.notesRead = takeNotes(values.value(u"notes"), cue) || cue.notesRead;
        preWaitRead = takeSeconds(values.value(u"preWait"), cue.preWait) || preWaitRead;
        postWaitRead = takeSeconds(values.value(u"postWait"), cue.postWait) || postWaitRead;
    }
    if (!cue.notesRead) {
        const Answer notes = co_await askAgain(client, cue.qlabCueID, u"/notes"_s);
        cue.notesRead = notes && takeNotes(*notes, cue);
    }
    if (!preWaitRead) {
        const Answer preWait = co_await askAgain(client, cue.qlabCueID, u"/preWait"_s);
        preWaitRead = preWait && takeSeconds(*preWait, cue.preWait);
    }
    if (!postWaitRead) {
        const Answer postWait = co_await askAgain(client, cue.qlabCueID, u"/postWait"_s);
        postWaitRead = postWait && takeSeconds(*postWait, cue.postWait);
    }
    cue.waitsRead = preWaitRead && postWaitRead;
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
        if (const auto type = co_await describer.groupType(id))
            cue.type = *type;
    } else if (baseType == u"Fade") {
        const Answer answer = co_await questions.answer(id, u"/levelsMode"_s);
        const auto mode
            = answer && answer->isDouble() ? OSCValue::wholePart(answer->toDouble()) : std::nullopt;
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
