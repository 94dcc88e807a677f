#include "describe/GroupCueSummary.h"

#include "describe/CueIndex.h"
#include "describe/DescriptionText.h"
#include "model/ActionTextLayout.h"
#include "model/AppText.h"

#include <QList>
#include <QStringList>

#include <optional>

namespace GroupCueSummary {

namespace {

using namespace Qt::StringLiterals;
using namespace DescriptionText;

// The kind of one member of a group, as its block in the group's action text names it.
enum class GroupItemCategory {
    audio,
    video,
    mic,
    fade,
    starts,
    stops,
    pauses,
    midi,
    network,
    wait,
    other
};

// One recognised member: described on its own, and in the shorter form used under a label.
struct GroupDescriptionItem
{
    GroupItemCategory category = GroupItemCategory::other;
    QString fullDescription;
    QString compactBody;
    // As written in the member's block, without the unit letter.
    std::optional<QString> preWait;
    std::optional<QString> postWait;
};

// One block per member: its header line with the parameter lines below it.
QStringList memberBlocks(const QString &action)
{
    QStringList blocks;
    QString current;
    for (const QString &line : splitAtLineBreaks(action)) {
        const QStringView trimmed = QStringView(line).trimmed();
        if (trimmed.isEmpty() || trimmed == u"{" || trimmed == u"}"
            || ActionTextLayout::isHiddenLine(line))
            continue;
        if (ActionTextLayout::isParameterLine(line) && !current.isEmpty()) {
            current += u'\n' + line;
            continue;
        }
        if (!current.isEmpty())
            blocks.append(current);
        current = line;
    }
    if (!current.isEmpty())
        blocks.append(current);

    // A single line may list its members separated by commas.
    if (blocks.size() == 1 && blocks.front().contains(u',') && !blocks.front().contains(u'\n')) {
        QStringList parts;
        for (const QString &part : blocks.front().split(u',')) {
            if (const QString trimmed = part.trimmed(); !trimmed.isEmpty())
                parts.append(trimmed);
        }
        return parts;
    }
    return blocks;
}

std::optional<QString> waitValue(QStringView line)
{
    QStringView value = line.sliced(line.indexOf(u':') + 1).trimmed();
    if (value.endsWith(u's'))
        value.chop(1);
    if (value.isEmpty())
        return std::nullopt;
    return value.toString();
}

void parseWaits(const QString &block, GroupDescriptionItem &item)
{
    for (const QString &blockLine : splitAtLineBreaks(block)) {
        const QStringView line = QStringView(blockLine).trimmed();
        if (line.startsWith(u"pre-wait:")) {
            if (std::optional<QString> value = waitValue(line))
                item.preWait = std::move(value);
        } else if (line.startsWith(u"post-wait:")) {
            if (std::optional<QString> value = waitValue(line))
                item.postWait = std::move(value);
        }
    }
}

QString categoryLabel(GroupItemCategory category)
{
    switch (category) {
    case GroupItemCategory::audio:
    case GroupItemCategory::video:
    case GroupItemCategory::starts:
        return AppText::startsLabel();
    case GroupItemCategory::mic:
        return AppText::microphoneLabel();
    case GroupItemCategory::fade:
        return AppText::fadeLabel();
    case GroupItemCategory::stops:
        return AppText::stopsLabel();
    case GroupItemCategory::pauses:
        return AppText::pausesLabel();
    case GroupItemCategory::midi:
        return AppText::midiLabel();
    case GroupItemCategory::network:
        return AppText::networkCommandLabel();
    case GroupItemCategory::wait:
        return AppText::waitLabel();
    case GroupItemCategory::other:
        break;
    }
    return {};
}

QString effectsSuffix(const QString &block)
{
    // Keywords on parameter lines only: "sfx_door.wav" names no effect.
    const QStringList effects = detectEffects(parameterLines(block));
    return effects.isEmpty() ? QString() : u" ("_s + effects.join(u", "_s) + u')';
}

QString targetName(const QString &target, const CueIndex &targets)
{
    return targets.resolveTargetName(target).value_or(stripMediaExtension(target));
}

// The media member's display name: the quoted file name without extension, quoted again.
std::optional<QString> quotedMediaName(const QString &block)
{
    const std::optional<QString> name = extractQuotedName(block);
    if (!name)
        return std::nullopt;
    return quoted(stripMediaExtension(*name));
}

GroupDescriptionItem makeItem(
    GroupItemCategory category, const QString &full, const QString &compact)
{
    GroupDescriptionItem item;
    item.category = category;
    item.fullDescription = full;
    item.compactBody = compact;
    return item;
}

GroupDescriptionItem describeFade(const QString &block, const QString &name)
{
    const QString parameters = parameterLines(block);
    QString duration;
    if (const std::optional<double> seconds = parseDuration(parameters))
        duration = u" ("_s + formatSeconds(*seconds) + u' ' + AppText::secondsWord() + u')';

    QStringList parts;
    if (parameters.contains(u"master ") || parameters.contains(u'<'))
        parts.append(describeLevels(parameters));
    if (hasRateLine(parameters)) {
        const std::optional<QString> rate = parseRate(parameters);
        parts.append(rate ? u"rate "_s + *rate : AppText::rateChangeAlt());
    }
    if (hasVisualParameters(parameters))
        parts.append(AppText::visualParametersChange());
    if (parameters.contains(u"Audio FX"))
        parts.append(AppText::parametersChange());
    if (parts.isEmpty() && block.contains(u"изменение параметров эффекта"))
        parts.append(AppText::parametersChange());
    const QString stop
        = parameters.contains(u"stop when done") ? u", "_s + AppText::stopLower() : QString();

    if (parts.isEmpty()) {
        return makeItem(GroupItemCategory::fade, AppText::fadeQuoted(duration + stop, name),
            quoted(name) + duration + stop);
    }
    const QString detail = parts.join(u"; "_s) + stop;
    return makeItem(GroupItemCategory::fade, AppText::fadeQuotedWithDetail(duration, name, detail),
        quoted(name) + u" \u2014 "_s + detail + duration);
}

// Members that act on another cue, named by the reference after their marker.
struct TargetMember
{
    QStringView marker;
    GroupItemCategory category;
    QString (*describe)(const QString &name);
};

constexpr TargetMember targetMembers[] = {
    { u"Start \u2192", GroupItemCategory::starts, &AppText::startsQuoted },
    { u"Stop \u2192", GroupItemCategory::stops, &AppText::stopsQuoted },
    { u"Pause \u2192", GroupItemCategory::pauses, &AppText::pausesQuoted },
};

// Members described by the name after their kind word, or by a fixed text without one.
struct NamedMember
{
    QStringView kind;
    QString (*named)(const QString &name);
    QString (*unnamed)();
};

constexpr NamedMember namedMembers[] = {
    { u"Light", &AppText::lightText, &AppText::lightCommand },
    { u"Script", &AppText::scriptText, &AppText::scriptWord },
    { u"Text", &AppText::textCueText, [] { return AppText::textCueText(u"Text"_s); } },
    { u"Camera", &AppText::cameraText, &AppText::cameraWord },
};

GroupDescriptionItem describeMedia(const QString &block, GroupItemCategory category,
    const QString &unnamed, QString (*describe)(const QString &name))
{
    const QString shown = quotedMediaName(block).value_or(unnamed) + effectsSuffix(block);
    return makeItem(category, describe(shown), shown);
}

GroupDescriptionItem describeMic(const QString &block, QStringView header)
{
    std::optional<QString> name = extractQuotedName(block);
    // The import writes a member's name unquoted after "Mic: ".
    if (!name) {
        if (QString unquoted = stripKindPrefix(header, u"Mic"); !unquoted.isEmpty())
            name = std::move(unquoted);
    }
    const QString shown = name ? quoted(*name) : AppText::microphoneWord();
    return makeItem(GroupItemCategory::mic, AppText::microphoneOf(shown), shown);
}

GroupDescriptionItem describeMIDI(const QString &block)
{
    if (const std::optional<QString> label = midiMessageLabel(block))
        return makeItem(GroupItemCategory::midi, AppText::midiText(*label), *label);
    return makeItem(GroupItemCategory::midi, AppText::midiCommand(), AppText::midiCommand());
}

GroupDescriptionItem describeWait(const QString &block)
{
    if (const std::optional<qint64> seconds = parseWaitSeconds(block)) {
        return makeItem(GroupItemCategory::wait, AppText::waitingSeconds(*seconds),
            QString::number(*seconds) + u' ' + AppText::secondsWord());
    }
    return makeItem(GroupItemCategory::wait, AppText::waitWord(), AppText::waitWord());
}

// Texts in one form only, the same in both languages.
GroupDescriptionItem describeDevamp(const QString &block)
{
    const std::optional<QString> target = extractTarget(block, u"Devamp \u2192");
    const QString text = target ? u"Devamp: "_s + *target : u"Devamp"_s;
    return makeItem(GroupItemCategory::other, text, text);
}

// The item for one member by the kind its trimmed block begins with (no kind begins another's
// name), or nothing when the block names no member we describe.
std::optional<GroupDescriptionItem> describeKind(const QString &block, const CueIndex &targets)
{
    const QStringView header
        = QStringView(block).first(block.contains(u'\n') ? block.indexOf(u'\n') : block.size());
    if (block.startsWith(u"Audio"))
        return describeMedia(
            block, GroupItemCategory::audio, AppText::audioWord(), &AppText::startsAudio);
    if (block.startsWith(u"Video"))
        return describeMedia(
            block, GroupItemCategory::video, AppText::videoWord(), &AppText::startsVideo);
    if (block.startsWith(u"Fade (fx) \u2192") || block.startsWith(u"Fade \u2192")) {
        const QStringView marker
            = block.startsWith(u"Fade (fx) \u2192") ? u"Fade (fx) \u2192" : u"Fade \u2192";
        const std::optional<QString> target = extractTarget(block, marker);
        if (!target)
            return std::nullopt;
        return describeFade(block, targetName(*target, targets));
    }
    for (const TargetMember &member : targetMembers) {
        if (!block.startsWith(member.marker))
            continue;
        const std::optional<QString> target = extractTarget(block, member.marker);
        if (!target)
            return std::nullopt;
        const QString name = targetName(*target, targets);
        return makeItem(member.category, member.describe(name), quoted(name));
    }
    if (block.startsWith(u"Network"))
        return makeItem(
            GroupItemCategory::network, AppText::networkCommandAlt(), AppText::networkCommandAlt());
    if (block.startsWith(u"MIDI"))
        return describeMIDI(block);
    if (block.startsWith(u"Wait"))
        return describeWait(block);
    if (block.startsWith(u"Mic"))
        return describeMic(block, header);
    for (const NamedMember &member : namedMembers) {
        if (!block.startsWith(member.kind))
            continue;
        // The name is on the header line; the lines below carry the member's waits.
        const QString name = stripKindPrefix(header, member.kind);
        const QString text = name.isEmpty() ? member.unnamed() : member.named(name);
        return makeItem(GroupItemCategory::other, text, text);
    }
    if (block.startsWith(u"Timecode"))
        return makeItem(GroupItemCategory::other, u"Timecode"_s, u"Timecode"_s);
    if (block.startsWith(u"Devamp"))
        return describeDevamp(block);
    return std::nullopt;
}

std::optional<GroupDescriptionItem> describeMember(const QString &block, const CueIndex &targets)
{
    std::optional<GroupDescriptionItem> item = describeKind(block.trimmed(), targets);
    if (item)
        parseWaits(block, *item);
    return item;
}

// Consecutive items of one category, in order.
QList<QList<GroupDescriptionItem>> groupItemsByCategory(const QList<GroupDescriptionItem> &items)
{
    QList<QList<GroupDescriptionItem>> runs;
    for (const GroupDescriptionItem &item : items) {
        if (runs.isEmpty() || runs.back().front().category != item.category)
            runs.emplaceBack();
        runs.back().append(item);
    }
    return runs;
}

QString withPostWait(const QString &text, const GroupDescriptionItem &item)
{
    if (!item.postWait)
        return text;
    return text + u", "_s + AppText::thenNextCue(*item.postWait);
}

QString wrapItemWithWaits(const QString &text, const GroupDescriptionItem &item)
{
    return withPostWait(
        item.preWait ? AppText::afterSecondsAction(*item.preWait, text) : text, item);
}

// Members that share a pre-wait under one "After N sec:" line, runs of one kind under their label.
QString summarizeGroupItems(const QList<GroupDescriptionItem> &items)
{
    // Items whose pre-waits read the same (canonically equivalent texts) share one run.
    QList<std::optional<QString>> preWaits;
    preWaits.reserve(items.size());
    for (const GroupDescriptionItem &item : items) {
        preWaits.append(item.preWait
                ? std::optional(item.preWait->normalized(QString::NormalizationForm_C))
                : std::nullopt);
    }

    QStringList lines;
    qsizetype runStart = 0;
    while (runStart < items.size()) {
        qsizetype runEnd = runStart + 1;
        while (runEnd < items.size() && preWaits[runEnd] == preWaits[runStart])
            ++runEnd;
        const QList<GroupDescriptionItem> run = items.sliced(runStart, runEnd - runStart);
        runStart = runEnd;

        const bool headed = run.size() > 1 && run.front().preWait.has_value();
        if (headed)
            lines.append(AppText::afterSeconds(*run.front().preWait));
        const auto decorated = [headed](const QString &text, const GroupDescriptionItem &item) {
            return headed ? withPostWait(text, item) : wrapItemWithWaits(text, item);
        };
        for (const QList<GroupDescriptionItem> &chunk : groupItemsByCategory(run)) {
            const QString label = categoryLabel(chunk.front().category);
            if (chunk.size() == 1 || label.isEmpty()) {
                for (const GroupDescriptionItem &item : chunk)
                    lines.append(decorated(item.fullDescription, item));
                continue;
            }
            lines.append(label);
            for (const GroupDescriptionItem &item : chunk)
                lines.append(decorated(item.compactBody, item));
        }
    }
    return lines.join(u'\n');
}

} // namespace

QString describeGroupCue(const QString &action, const CueIndex &targets)
{
    QList<GroupDescriptionItem> items;
    for (const QString &block : memberBlocks(action)) {
        if (std::optional<GroupDescriptionItem> item = describeMember(block, targets))
            items.append(std::move(*item));
    }
    return summarizeGroupItems(items);
}

} // namespace GroupCueSummary
