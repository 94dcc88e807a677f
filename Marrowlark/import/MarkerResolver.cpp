#include "import/MarkerResolver.h"

#include "import/ImportError.h"
#include "import/ImportQueries.h"
#include "import/MarkerPass.h"
#include "import/MarkerText.h"
#include "model/ActionTextLayout.h"
#include "model/AppText.h"
#include "qlab/CueRowPosition.h"
#include "qlab/OSCCueAddress.h"
#include "qlab/OSCLevelFormatter.h"
#include "qlab/OSCValue.h"

#include <QJsonObject>

using namespace Qt::StringLiterals;
namespace Layout = ActionTextLayout;

namespace {

using Lines = std::optional<QStringList>;

// The keys asked for, and the words of their lines.
const QStringList waitKeys { u"preWait"_s, u"postWait"_s };
const QStringList waitLabels { u"pre-wait"_s, u"post-wait"_s };

const QString &rowText(const MarkerPass::Line &line, qsizetype position)
{
    return line.row->at(position);
}

} // namespace

QCoro::Task<QList<QStringList>> MarkerResolver::resolveAll(QList<QStringList> rows) const
{
    rows = co_await resolveSpecialMarkers(std::move(rows));
    rows = co_await resolveMediaMarkers(std::move(rows));
    rows = co_await resolveFadeMarkers(std::move(rows));
    co_return co_await resolveWaitMarkers(std::move(rows));
}

QCoro::Task<QList<QStringList>> MarkerResolver::resolveSpecialMarkers(QList<QStringList> rows) const
{
    static const MarkerPass pass(u"__|"_s,
        { Layout::targetMarker.toString(), Layout::midiMarker.toString(),
            Layout::networkMarker.toString(), Layout::timecodeMarker.toString(),
            Layout::devampMarker.toString(), Layout::waitCueMarker.toString(),
            Layout::groupMarker.toString() });
    co_return co_await pass.run(
        std::move(rows), [this](const MarkerPass::Line &line) -> QCoro::Task<Lines> {
            if (line.marker == Layout::targetMarker) {
                // "__TARGET__|" type "|" uid; without a uid the type alone is all there is to say.
                const QStringList parts = line.rest.split(u'|');
                const QString type = parts.value(0);
                if (parts.size() < 2)
                    co_return type.isEmpty() ? QStringList() : QStringList(1, type);
                const QString target = co_await m_describer.resolveTarget(parts.at(1));
                co_return QStringList(
                    1, target.isEmpty() ? type : type + Layout::arrow.toString() + target);
            }
            if (line.marker == Layout::groupMarker) {
                // uid "|" the rest of the line after the group's type.
                const qsizetype bar = line.rest.indexOf(u'|');
                const auto type = co_await m_describer.groupType(line.rest.left(bar));
                co_return QStringList(1, type.value_or(u"Group"_s) + line.rest.mid(bar + 1));
            }
            QString text;
            if (line.marker == Layout::waitCueMarker)
                text = co_await m_describer.describeWait(line.rest);
            else if (line.marker == Layout::midiMarker)
                text = co_await m_describer.describeMIDI(line.rest);
            else if (line.marker == Layout::networkMarker)
                text = co_await m_describer.describeNetwork(line.rest);
            else if (line.marker == Layout::timecodeMarker)
                text = co_await m_describer.describeTimecode(line.rest);
            else
                text = co_await m_describer.describeDevamp(line.rest);
            co_return QStringList(1, text);
        });
}

QCoro::Task<QList<QStringList>> MarkerResolver::resolveMediaMarkers(QList<QStringList> rows) const
{
    static const MarkerPass pass(
        u"__SWIFT_OSC__|"_s, { Layout::audioMarker.toString(), Layout::videoMarker.toString() });
    co_return co_await pass.run(
        std::move(rows), [this](const MarkerPass::Line &line) -> QCoro::Task<Lines> {
            std::optional<OSCCueLevels> levels;
            if (OSCCueAddress::isSendable(line.rest))
                levels = co_await m_queries.levels(line.rest);
            // A group's member is named by QLab; a top-level cue by its own row.
            const bool member = rowText(line, CueRowPosition::type).startsWith(u"Group")
                || !line.indent.isEmpty();
            QString name = rowText(line, CueRowPosition::name);
            if (member)
                name = co_await m_describer.fetchCueListName(line.rest);
            const OSCCueLevels shown = levels.value_or(OSCCueLevels());
            const QString block = line.marker == Layout::audioMarker
                ? OSCLevelFormatter::formatAudioLevels(name, shown.outputs, shown.master)
                : OSCLevelFormatter::formatVideoLevels(name, shown.outputs, shown.master);
            const QStringList lines = Layout::splitLines(block);
            // Levels QLab did not tell are not made up: the title alone.
            co_return levels ? lines : lines.mid(0, 1);
        });
}

QCoro::Task<QList<QStringList>> MarkerResolver::resolveFadeMarkers(QList<QStringList> rows) const
{
    static const MarkerPass pass(u"__SWIFT_OSC_FADE__|"_s, { Layout::fadeMarker.toString() });
    co_return co_await pass.run(
        std::move(rows), [this](const MarkerPass::Line &line) -> QCoro::Task<Lines> {
            if (!OSCCueAddress::isSendable(line.rest))
                co_return QStringList(1, u"Fade"_s);
            const FadeOSCParams params = co_await m_queries.fadeParams(line.rest);
            const QString target = co_await m_describer.resolveTarget(line.rest);
            const std::optional<double> duration = co_await m_queries.duration(line.rest);
            co_return MarkerText::fadeLines(params, target, duration);
        });
}

QCoro::Task<QList<QStringList>> MarkerResolver::resolveWaitMarkers(QList<QStringList> rows) const
{
    static const MarkerPass pass(u"__WAIT__|"_s, { Layout::waitMarker.toString() });
    co_return co_await pass.run(
        std::move(rows), [this](const MarkerPass::Line &line) -> QCoro::Task<Lines> {
            QStringList lines;
            if (!OSCCueAddress::isSendable(line.rest))
                co_return lines;
            const auto values = co_await m_queries.valuesForKeys(line.rest, waitKeys);
            for (qsizetype i = 0; i < waitKeys.size(); ++i) {
                std::optional<QJsonValue> value
                    = values ? values->value(waitKeys.at(i)) : QJsonValue();
                if (!value->isDouble())
                    value = co_await m_queries.answerAgain(line.rest, u'/' + waitKeys.at(i));
                // A wait QLab did not tell would read as none.
                if (!value || !value->isDouble()) {
                    const QString &number = rowText(line, CueRowPosition::number);
                    throw ImportError::scriptError(AppText::waitsNotAnswered(
                        number.isEmpty() ? rowText(line, CueRowPosition::name) : number));
                }
                if (const auto text = MarkerText::waitLine(waitLabels.at(i), value->toDouble()))
                    lines << *text;
            }
            co_return lines;
        });
}
