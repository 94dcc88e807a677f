#include "describe/GroupCueSummary.h"

#include "describe/CueIndex.h"
#include "describe/DescriptionText.h"
#include "import/ActionTextLayout.h"
#include "model/AppText.h"

#include <QStringList>

namespace GroupCueSummary {

namespace {

using namespace Qt::StringLiterals;
using namespace DescriptionText;

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
    for (QStringView line : QStringView(block).split(u'\n')) {
        line = line.trimmed();
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

void describeFade(const QString &block, const QString &name, GroupDescriptionItem &item)
{
    const QString parameters = parameterLines(block);
    QString duration;
    if (const std::optional<qint64> seconds = parseDuration(parameters))
        duration = u" ("_s + QString::number(*seconds) + u' ' + AppText::secondsWord() + u')';

    QStringList parts;
    if (parameters.contains(u"master ") || parameters.contains(u'<')) {
        if (const QString levels = describeLevels(parameters); !levels.isEmpty())
            parts.append(levels);
    }
    if (parameters.contains(u"   rate ") || parameters.contains(u"\trate ")) {
        const std::optional<QString> rate = parseRate(parameters);
        parts.append(rate ? u"rate "_s + *rate : AppText::rateChangeAlt());
    }
    if (parameters.contains(u"opacity") || parameters.contains(u"rotation")
        || parameters.contains(u"scale") || parameters.contains(u"translate"))
        parts.append(AppText::visualParametersChange());
    if (parameters.contains(u"Audio FX"))
        parts.append(AppText::parametersChange());
    if (parts.isEmpty() && block.contains(u"изменение параметров эффекта"))
        parts.append(AppText::parametersChange());
    const QString stop
        = parameters.contains(u"stop when done") ? u", "_s + AppText::stopLower() : QString();

    item.category = GroupItemCategory::fade;
    if (parts.isEmpty()) {
        item.fullDescription = AppText::fadeQuoted(duration + stop, name);
        item.compactBody = quoted(name) + duration + stop;
    } else {
        const QString detail = parts.join(u"; "_s) + stop;
        item.fullDescription = AppText::fadeQuotedWithDetail(duration, name, detail);
        item.compactBody = quoted(name) + u" \u2014 "_s + detail + duration;
    }
}

void setText(GroupDescriptionItem &item, GroupItemCategory category, const QString &text)
{
    item.category = category;
    item.fullDescription = text;
    item.compactBody = text;
}

// The item for one member block, or nothing when the block names no member we describe.
std::optional<GroupDescriptionItem> describeMember(const QString &block, const CueIndex &targets)
{
    const QString trimmed = block.trimmed();
    const QStringView header = QStringView(trimmed).first(
        trimmed.contains(u'\n') ? trimmed.indexOf(u'\n') : trimmed.size());
    GroupDescriptionItem item;
    parseWaits(block, item);

    const auto targetAfter = [&](QStringView marker) -> std::optional<QString> {
        const std::optional<QString> target = extractTarget(trimmed, marker);
        if (!target)
            return std::nullopt;
        return targetName(*target, targets);
    };
    const auto setTarget
        = [&](GroupItemCategory category, const QString &full, const QString &name) {
              item.category = category;
              item.fullDescription = full;
              item.compactBody = quoted(name);
          };

    if (trimmed.startsWith(u"Audio")) {
        const QString shown
            = quotedMediaName(trimmed).value_or(AppText::audioWord()) + effectsSuffix(trimmed);
        item.category = GroupItemCategory::audio;
        item.fullDescription = AppText::startsAudio(shown);
        item.compactBody = shown;
    } else if (trimmed.startsWith(u"Fade (fx) \u2192") || trimmed.startsWith(u"Fade \u2192")) {
        const QStringView marker
            = trimmed.startsWith(u"Fade (fx) \u2192") ? u"Fade (fx) \u2192" : u"Fade \u2192";
        const std::optional<QString> name = targetAfter(marker);
        if (!name)
            return std::nullopt;
        describeFade(trimmed, *name, item);
    } else if (trimmed.startsWith(u"Start \u2192")) {
        const std::optional<QString> name = targetAfter(u"Start \u2192");
        if (!name)
            return std::nullopt;
        setTarget(GroupItemCategory::starts, AppText::startsQuoted(*name), *name);
    } else if (trimmed.startsWith(u"Stop \u2192")) {
        const std::optional<QString> name = targetAfter(u"Stop \u2192");
        if (!name)
            return std::nullopt;
        setTarget(GroupItemCategory::stops, AppText::stopsQuoted(*name), *name);
    } else if (trimmed.startsWith(u"Pause \u2192")) {
        const std::optional<QString> name = targetAfter(u"Pause \u2192");
        if (!name)
            return std::nullopt;
        setTarget(GroupItemCategory::pauses, AppText::pausesQuoted(*name), *name);
    } else if (trimmed.startsWith(u"Network")) {
        setText(item, GroupItemCategory::network, AppText::networkCommandAlt());
    } else if (trimmed.startsWith(u"MIDI")) {
        if (const std::optional<QString> label = midiMessageLabel(block)) {
            item.category = GroupItemCategory::midi;
            item.fullDescription = AppText::midiText(*label);
            item.compactBody = *label;
        } else {
            setText(item, GroupItemCategory::midi, AppText::midiCommand());
        }
    } else if (trimmed.startsWith(u"Wait")) {
        if (const std::optional<int> seconds = catalogueNumber(parseWaitSeconds(trimmed))) {
            item.category = GroupItemCategory::wait;
            item.fullDescription = AppText::waitingSeconds(*seconds);
            item.compactBody = QString::number(*seconds) + u' ' + AppText::secondsWord();
        } else {
            setText(item, GroupItemCategory::wait, AppText::waitWord());
        }
    } else if (trimmed.startsWith(u"Video")) {
        const QString shown
            = quotedMediaName(trimmed).value_or(AppText::videoWord()) + effectsSuffix(trimmed);
        item.category = GroupItemCategory::video;
        item.fullDescription = AppText::startsVideo(shown);
        item.compactBody = shown;
    } else if (trimmed.startsWith(u"Mic")) {
        // The import writes a member's name unquoted after "Mic: ".
        std::optional<QString> name = extractQuotedName(trimmed);
        if (!name) {
            if (QString unquoted = stripKindPrefix(header, u"Mic"); !unquoted.isEmpty())
                name = std::move(unquoted);
        }
        const QString shown = name ? quoted(*name) : AppText::microphoneWord();
        item.category = GroupItemCategory::mic;
        item.fullDescription = AppText::microphoneOf(shown);
        item.compactBody = shown;
    } else if (trimmed.startsWith(u"Light")) {
        // The name is on the header line; the lines below carry the member's waits.
        const QString name = stripKindPrefix(header, u"Light");
        setText(item, GroupItemCategory::other,
            name.isEmpty() ? AppText::lightCommand() : AppText::lightText(name));
    } else if (trimmed.startsWith(u"Script")) {
        const QString name = stripKindPrefix(header, u"Script");
        setText(item, GroupItemCategory::other,
            name.isEmpty() ? AppText::scriptWord() : AppText::scriptText(name));
    } else if (trimmed.startsWith(u"Text")) {
        const QString name = stripKindPrefix(header, u"Text");
        setText(item, GroupItemCategory::other,
            AppText::textCueText(name.isEmpty() ? u"Text"_s : name));
    } else if (trimmed.startsWith(u"Camera")) {
        const QString name = stripKindPrefix(header, u"Camera");
        setText(item, GroupItemCategory::other,
            name.isEmpty() ? AppText::cameraWord() : AppText::cameraText(name));
    } else if (trimmed.startsWith(u"Timecode")) {
        setText(item, GroupItemCategory::other, u"Timecode"_s);
    } else if (trimmed.startsWith(u"Devamp")) {
        const std::optional<QString> target = extractTarget(trimmed, u"Devamp \u2192");
        setText(item, GroupItemCategory::other, target ? u"Devamp: "_s + *target : u"Devamp"_s);
    } else {
        return std::nullopt;
    }
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

} // namespace GroupCueSummary
