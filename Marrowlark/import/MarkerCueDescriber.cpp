#include "import/MarkerCueDescriber.h"

#include "import/ActionTextLayout.h"
#include "import/ImportQueries.h"
#include "import/MarkerText.h"
#include "qlab/OSCValue.h"

using namespace Qt::StringLiterals;

namespace {

std::optional<qint64> wholeNumber(const std::optional<QJsonValue> &value)
{
    const std::optional<double> number = OSCValue::doubleValue(value);
    return number ? OSCValue::wholePart(*number) : std::nullopt;
}

} // namespace

QCoro::Task<QString> MarkerCueDescriber::resolveTarget(QString cueID) const
{
    const auto number = co_await m_queries.textAnswer(cueID, u"/cueTargetNumber"_s);
    if (number)
        co_return *number;
    const auto targetID = co_await m_queries.textAnswer(cueID, u"/cueTargetID"_s);
    if (!targetID)
        co_return QString();
    static const QStringList nameKeys { u"/displayName"_s, u"/listName"_s, u"/name"_s };
    co_return co_await firstText(*targetID, nameKeys);
}

QCoro::Task<QString> MarkerCueDescriber::fetchCueListName(QString cueID) const
{
    static const QStringList nameKeys { u"/listName"_s, u"/name"_s };
    co_return co_await firstText(cueID, nameKeys);
}

QCoro::Task<QString> MarkerCueDescriber::firstText(QString cueID, QStringList keys) const
{
    for (const QString &key : keys) {
        const auto text = co_await m_queries.textAnswer(cueID, key);
        if (text)
            co_return *text;
    }
    co_return QString();
}

QCoro::Task<QString> MarkerCueDescriber::describeMIDI(QString cueID) const
{
    QStringList parts { u"MIDI"_s };
    const auto messageType = co_await m_queries.answer(cueID, u"/messageType"_s);
    std::optional<QJsonValue> status;
    if (MarkerText::isVoiceMessage(messageType))
        status = co_await m_queries.answer(cueID, u"/status"_s);
    const QString kind = MarkerText::midiKind(messageType, status);
    if (!kind.isEmpty())
        parts << kind;
    const auto channel = wholeNumber(co_await m_queries.answer(cueID, u"/channel"_s));
    if (channel)
        parts << u"ch"_s + QString::number(*channel);
    const auto byte1 = wholeNumber(co_await m_queries.answer(cueID, u"/byte1"_s));
    if (!byte1)
        co_return parts.join(u' ');
    const auto byte2 = wholeNumber(co_await m_queries.answer(cueID, u"/byte2"_s));
    parts << QString::number(*byte1) + (byte2 ? u'/' + QString::number(*byte2) : QString());
    co_return parts.join(u' ');
}

QCoro::Task<QString> MarkerCueDescriber::describeNetwork(QString cueID) const
{
    QStringList parts { u"Network"_s };
    const auto patch = wholeNumber(co_await m_queries.answer(cueID, u"/networkPatchNumber"_s));
    if (patch)
        parts << u"\u00B7 Patch "_s + QString::number(*patch);
    const auto text = co_await m_queries.textAnswer(cueID, u"/customString"_s);
    if (text)
        parts << u"\u2013 "_s + *text;
    co_return parts.join(u' ');
}

QCoro::Task<QString> MarkerCueDescriber::describeTimecode(QString cueID) const
{
    QStringList parts { u"Timecode"_s };
    const auto start = co_await m_queries.textAnswer(cueID, u"/startTime"_s);
    if (start)
        parts << u"start: "_s + *start;
    const std::optional<double> duration = co_await m_queries.duration(cueID);
    const QString clock = MarkerText::clockText(duration.value_or(0));
    if (!clock.isEmpty())
        parts << clock;
    co_return parts.join(u' ');
}

QCoro::Task<QString> MarkerCueDescriber::describeDevamp(QString cueID) const
{
    const QString target = co_await resolveTarget(cueID);
    co_return target.isEmpty() ? u"Devamp"_s
                               : u"Devamp"_s + ActionTextLayout::arrow.toString() + target;
}
