#include "describe/AutoDescriptionGenerator.h"

#include "describe/CueDescribers.h"
#include "describe/CueIndex.h"
#include "describe/DescriptionText.h"
#include "describe/GroupCueSummary.h"
#include "model/AppText.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;
using namespace CueDescribers;

namespace {

// "After N sec: " before the body, a line "then after N sec — next Cue" below it.
QString wrapWithWaits(const QString &body, double preWait, double postWait)
{
    QString text = body;
    if (preWait > 0)
        text = AppText::afterSecondsAction(DescriptionText::formatSeconds(preWait), text);
    if (postWait > 0)
        text += u'\n' + AppText::thenNextCue(DescriptionText::formatSeconds(postWait));
    return text;
}

} // namespace

AutoDescriptionGenerator &AutoDescriptionGenerator::shared()
{
    static AutoDescriptionGenerator generator;
    return generator;
}

QString AutoDescriptionGenerator::generateDescription(
    const QLabCue &cue, const QList<QLabCue> &allCues) const
{
    return generateDescription(cue, CueIndex(allCues));
}

QString AutoDescriptionGenerator::generateDescription(
    const QLabCue &cue, const CueIndex &targets) const
{
    std::optional<QString> markup = nameMarkup(cue.notes);
    const QString body = markup ? std::move(*markup) : describeBody(cue, targets);
    if (body.isEmpty())
        return {};
    return wrapWithWaits(body, cue.preWait, cue.postWait);
}

QString AutoDescriptionGenerator::describeBody(const QLabCue &cue, const CueIndex &targets) const
{
    switch (cue.type) {
    case CueType::audio:
        return describeAudioCue(cue.action, cue.name);
    case CueType::video:
        return describeVideoCue(cue.name);
    case CueType::midi:
        return describeMIDICue(cue.action);
    case CueType::fade:
        return describeFadeCue(cue.action);
    case CueType::wait:
        return describeWaitCue(cue.action);
    case CueType::group:
        return GroupCueSummary::describeGroupCue(cue.action, targets);
    case CueType::mic:
        return describeMicCue(cue.name);
    case CueType::script:
        return describeScriptCue(cue.name);
    case CueType::network:
        return describeNetworkCue(cue.name);
    case CueType::light:
        return describeLightCue(cue.name);
    case CueType::camera:
        return describeCameraCue(cue.name);
    case CueType::text:
        return describeTextCue(cue.name);
    case CueType::start:
        return describeStartCue(cue.action, targets);
    case CueType::stop:
        return describeStopCue(cue.action, targets);
    case CueType::pause:
        return describePauseCue(cue.action);
    case CueType::timecode:
        return u"Timecode"_s;
    case CueType::devamp:
        return describeDevampCue(cue.action, cue.name);
    case CueType::load:
    case CueType::reset:
    case CueType::memo:
    case CueType::goTo:
    case CueType::unknown:
        break;
    }
    return {};
}

QString AutoDescriptionGenerator::describeStartCue(
    const QString &action, const CueIndex &targets) const
{
    const std::optional<QString> target = DescriptionText::extractTarget(action, u"Start \u2192");
    if (!target)
        return AppText::startWord();
    if (const QLabCue *cue = targets.find(*target)) {
        // The user's name for the started cue says it all.
        if (std::optional<QString> name = nameMarkup(cue->notes))
            return *name;
    }
    return AppText::starts(*target);
}

QString AutoDescriptionGenerator::describeStopCue(
    const QString &action, const CueIndex &targets) const
{
    const std::optional<QString> target = DescriptionText::extractTarget(action, u"Stop \u2192");
    if (!target)
        return AppText::stopWord();
    if (const QLabCue *cue = targets.find(*target)) {
        if (const std::optional<QString> name = nameMarkup(cue->notes))
            return AppText::stopsList(*name);
    }
    return AppText::stops(*target);
}
