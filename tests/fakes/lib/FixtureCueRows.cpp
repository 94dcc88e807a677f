#include "FixtureCueRows.h"

#include <QJsonArray>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

std::optional<double> number(const QJsonValue &value)
{
    if (value.isDouble())
        return value.toDouble();
    if (value.isBool())
        return value.toBool() ? 1.0 : 0.0;
    if (value.isString()) {
        bool ok = false;
        const double parsed = value.toString().toDouble(&ok);
        if (ok)
            return parsed;
    }
    return std::nullopt;
}

double numberOr(const QJsonValue &value, double fallback)
{
    return number(value).value_or(fallback);
}

// QLab's flags arrive as true/false, 0/1 or the constants enabled/disabled.
bool flag(const QJsonValue &value)
{
    if (value.isString())
        return value.toString() == u"enabled" || value.toString() == u"true"
            || value.toString() == u"1";
    return numberOr(value, 0) != 0;
}

// AppleScript writes whole numbers without a fraction.
QString numberText(double value)
{
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<long long>(value));
    return QString::number(value);
}

// round ... rounding as taught in school
QString roundedText(double value)
{
    if (!std::isfinite(value))
        return u"-inf"_s;
    return QString::number(static_cast<long long>(std::round(value)));
}

QString decimalText(double value)
{
    if (!std::isfinite(value))
        return u"0.00"_s;
    long long hundredths = static_cast<long long>(std::round(value * 100));
    QString sign;
    if (hundredths < 0) {
        sign = u"-"_s;
        hundredths = -hundredths;
    }
    return sign + QString::number(hundredths / 100) + u'.'
        + QString::number(hundredths % 100).rightJustified(2, u'0');
}

QString durationText(double seconds)
{
    if (seconds >= 60) {
        const QString minutes = QString::number(static_cast<long long>(seconds / 60));
        const long long rest = static_cast<long long>(std::fmod(seconds, 60));
        return rest < 1 ? minutes + u"m"_s : minutes + u"m "_s + QString::number(rest);
    }
    if (seconds == std::trunc(seconds))
        return QString::number(static_cast<long long>(seconds));
    const long long tenths = static_cast<long long>(std::round(seconds * 10));
    return QString::number(tenths / 10) + u'.' + QString::number(tenths % 10);
}

QString capitalisedWords(const QString &text)
{
    QString result;
    bool atWordStart = true;
    for (QChar c : text) {
        if (c == u' ') {
            atWordStart = true;
        } else {
            if (c.unicode() < 0x80)
                c = atWordStart ? c.toUpper() : c.toLower();
            atWordStart = false;
        }
        result += c;
    }
    return result;
}

QString cueType(const WorkspaceFixture::Cue &cue)
{
    const QJsonValue type = cue.properties.value(u"type");
    return type.isString() ? type.toString() : u"Unknown"_s;
}

bool isArmed(const WorkspaceFixture::Cue &cue)
{
    const QJsonValue armed = cue.properties.value(u"armed");
    return armed.isUndefined() || flag(armed);
}

} // namespace

FixtureCueRows::FixtureCueRows(const WorkspaceFixture::Workspace &workspace)
    : m_workspace(workspace)
{ }

QList<QStringList> FixtureCueRows::rows(const Cue &cueList, bool oscEnabled) const
{
    QList<QStringList> result;
    for (const Cue *cue : children(cueList)) {
        if (isArmed(*cue))
            result.append(row(*cue, oscEnabled));
    }
    return result;
}

QString FixtureCueRows::name(const Cue &cue)
{
    const QJsonValue listName = cue.properties.value(u"listName");
    return listName.isString() ? listName.toString() : cue.text(u"name");
}

QStringList FixtureCueRows::row(const Cue &cue, bool oscEnabled) const
{
    const QString type = cueType(cue);
    const bool isGroup = type == u"Group";
    const QString action = isGroup ? membersText(cue, 1, oscEnabled)
                                   : entryLines(cue, type, true, oscEnabled).join(u'\n');
    return {
        isGroup ? groupLabel(cue) : type,
        cue.text(u"number"),
        name(cue),
        action,
        cue.text(u"notes"),
        triggerText(cue),
        cue.uniqueID(),
        decimalText(numberOr(cue.properties.value(u"preWait"), 0)),
        decimalText(numberOr(cue.properties.value(u"postWait"), 0)),
    };
}

QStringList FixtureCueRows::entryLines(
    const Cue &cue, const QString &type, bool topLevel, bool oscEnabled) const
{
    const QString cueName = name(cue);
    if (type == u"Audio" || type == u"Video") {
        QStringList lines { cueName.isEmpty() ? type : type + u" \""_s + cueName + u'"' };
        if (const std::optional<double> master = level(cue, 0, 0))
            lines.append(u"   master "_s + roundedText(*master));
        if (!oscEnabled) {
            for (const QString &range : outputRanges(cue))
                lines.append(u"   "_s + range);
        }
        return lines;
    }
    if (type == u"Fade")
        return fadeLines(cue);
    if (type == u"Wait") {
        const double duration = numberOr(cue.properties.value(u"duration"), 0);
        return { duration > 0 ? u"Wait: "_s + roundedText(duration) + u's' : u"Wait"_s };
    }
    static const QStringList targetTypes
        = { u"Start"_s, u"Stop"_s, u"Pause"_s, u"Load"_s, u"Reset"_s, u"GoTo"_s, u"Devamp"_s };
    if (targetTypes.contains(type)) {
        const QString target = targetText(cue);
        return { target.isEmpty() ? type : type + u" \u2192 "_s + target };
    }
    if (type == u"MIDI") {
        const QString message = midiMessageText(cue);
        if (message.isEmpty())
            return { u"MIDI"_s };
        return { u"MIDI"_s, u"   "_s + message };
    }
    if (topLevel) {
        if (type == u"Network" && !cueName.isEmpty())
            return { u"Network: "_s + cueName };
        return { type };
    }
    return { cueName.isEmpty() ? type : type + u": "_s + cueName };
}

QStringList FixtureCueRows::fadeLines(const Cue &cue) const
{
    const QString target = targetText(cue);
    QStringList lines { target.isEmpty() ? u"Fade"_s : u"Fade \u2192 "_s + target };
    if (const std::optional<double> master = level(cue, 0, 0))
        lines.append(u"   master "_s + roundedText(*master));
    const double duration = numberOr(cue.properties.value(u"duration"), 0);
    if (duration > 0)
        lines.append(u"   "_s + roundedText(duration) + u's');
    if (flag(cue.properties.value(u"stopTargetWhenDone")))
        lines.append(u"   stop when done"_s);
    return lines;
}

QString FixtureCueRows::membersText(const Cue &group, int depth, bool oscEnabled) const
{
    if (depth > 10)
        return u"[...]"_s;
    const QString indent = QString(2 * (depth - 1), u' ');
    QStringList lines;
    for (const Cue *member : children(group)) {
        if (!isArmed(*member))
            continue;
        const QString type = cueType(*member);
        if (type == u"Group") {
            lines.append(indent + nestedGroupEntry(*member, indent, depth, oscEnabled));
        } else {
            for (const QString &line : entryLines(*member, type, false, oscEnabled))
                lines.append(indent + line);
        }
        if (member->uniqueID().isEmpty())
            continue;
        const double preWait = numberOr(member->properties.value(u"preWait"), 0);
        const double postWait = numberOr(member->properties.value(u"postWait"), 0);
        if (preWait > 0.001)
            lines.append(indent + u"   pre-wait: "_s + durationText(preWait) + u's');
        if (postWait > 0.001)
            lines.append(indent + u"   post-wait: "_s + durationText(postWait) + u's');
    }
    return lines.join(u'\n');
}

QString FixtureCueRows::nestedGroupEntry(
    const Cue &group, const QString &indent, int depth, bool oscEnabled) const
{
    QString entry = groupLabel(group);
    const QString groupName = name(group);
    const QString number = group.text(u"number");
    if (!groupName.isEmpty())
        entry += u": "_s + groupName;
    else if (!number.isEmpty())
        entry += u" ["_s + number + u']';
    if (!group.children.isEmpty())
        entry += u" {\n"_s + membersText(group, depth + 1, oscEnabled) + u'\n' + indent + u'}';
    return entry;
}

QString FixtureCueRows::groupLabel(const Cue &group)
{
    // The names AppleScript gives QLab's group modes, by their OSC numbers.
    static const QStringList modeNames = { u"cue_list"_s, u"fire_first_enter_group"_s,
        u"fire_first_go_to_next_cue"_s, u"timeline"_s, u"fire_random"_s, QString(), u"playlist"_s };
    const QJsonValue mode = group.properties.value(u"mode");
    QString modeText;
    if (mode.isString()) {
        modeText = mode.toString();
    } else if (mode.isDouble()) {
        const int index = mode.toInt(-1);
        if (index >= 0 && index < modeNames.size())
            modeText = modeNames.at(index);
    }
    if (modeText.isEmpty())
        return u"Group"_s;
    if (modeText == u"timeline")
        return u"Group (Timeline)"_s;
    if (modeText == u"cue_list")
        return u"Group (Cue List)"_s;
    return u"Group ("_s + capitalisedWords(modeText) + u')';
}

QString FixtureCueRows::targetText(const Cue &cue) const
{
    const Cue *target = m_workspace.cue(cue.text(u"cueTargetID"));
    if (!target)
        return {};
    const QString number = target->text(u"number");
    return number.isEmpty() ? name(*target) : number;
}

QString FixtureCueRows::midiMessageText(const Cue &cue)
{
    const std::optional<double> messageType = number(cue.properties.value(u"messageType"));
    if (!messageType)
        return {};
    if (*messageType == 2)
        return u"MSC"_s;
    if (*messageType == 3)
        return u"SysEx"_s;
    const QString channel = u"CH "_s + numberText(numberOr(cue.properties.value(u"channel"), 0));
    const QString byteOne = numberText(numberOr(cue.properties.value(u"byte1"), 0));
    const QString byteTwo = numberText(numberOr(cue.properties.value(u"byte2"), 0));
    switch (static_cast<int>(numberOr(cue.properties.value(u"status"), -1))) {
    case 0:
        return u"Note Off, "_s + channel + u", Note "_s + byteOne + u", Vel "_s + byteTwo;
    case 1:
        return u"Note On, "_s + channel + u", Note "_s + byteOne + u", Vel "_s + byteTwo;
    case 2:
        return u"Key Pressure, "_s + channel + u", Note "_s + byteOne + u", Val "_s + byteTwo;
    case 3:
        return u"Control Change, "_s + channel + u", CC "_s + byteOne + u", Val "_s + byteTwo;
    case 4:
        return u"Program Change, "_s + channel + u", Prog "_s + byteOne;
    case 5:
        return u"Channel Pressure, "_s + channel + u", Val "_s + byteOne;
    case 6:
        return u"Pitch Bend, "_s + channel + u", "_s + byteOne + u'/' + byteTwo;
    default:
        return {};
    }
}

QStringList FixtureCueRows::outputRanges(const Cue &cue) const
{
    QStringList ranges;
    int runFirst = 0;
    int runLast = 0;
    QString runLevel;
    const auto closeRun = [&] {
        if (runFirst == 0)
            return;
        ranges.append(runFirst == runLast ? u"<"_s + QString::number(runFirst) + u"> "_s + runLevel
                                          : u"<"_s + QString::number(runFirst) + u'-'
                    + QString::number(runLast) + u"> "_s + runLevel);
        runFirst = 0;
    };
    for (int output = 1; output <= 16; ++output) {
        bool active = false;
        for (int input = 1; input <= 2; ++input) {
            const std::optional<double> crosspoint = level(cue, input, output);
            if (crosspoint && *crosspoint > -60)
                active = true;
        }
        const std::optional<double> outputLevel
            = active ? level(cue, 0, output) : std::optional<double>();
        if (!outputLevel) {
            closeRun();
            continue;
        }
        const QString levelText = roundedText(*outputLevel);
        if (runFirst > 0 && output == runLast + 1 && levelText == runLevel) {
            runLast = output;
        } else {
            closeRun();
            runFirst = runLast = output;
            runLevel = levelText;
        }
    }
    closeRun();
    return ranges;
}

std::optional<double> FixtureCueRows::level(const Cue &cue, int row, int column)
{
    const QJsonArray rows = cue.properties.value(u"levels").toArray();
    if (row >= rows.size())
        return std::nullopt;
    const QJsonArray columns = rows.at(row).toArray();
    if (column >= columns.size())
        return std::nullopt;
    return number(columns.at(column));
}

QString FixtureCueRows::triggerText(const Cue &cue) const
{
    const QJsonObject &p = cue.properties;
    QStringList items;
    if (flag(p.value(u"hotkey trigger")))
        items.append(u"Hotkey"_s);
    if (flag(p.value(u"midi trigger"))) {
        QString midi = u"MIDI Trigger"_s;
        const QString command = p.value(u"midi command").toString();
        const QString byteOne = numberText(numberOr(p.value(u"midi byte one"), 0));
        if (command == u"note_on")
            midi += u": Note "_s + byteOne;
        else if (command == u"control_change")
            midi += u": CC "_s + byteOne;
        items.append(midi);
    }
    const auto timeText = [&](std::initializer_list<const char16_t *> keys) {
        QStringList parts;
        for (const char16_t *key : keys)
            parts.append(numberText(numberOr(p.value(QStringView(key)), 0)));
        return parts.join(u':');
    };
    if (flag(p.value(u"timecode trigger")))
        items.append(u"Timecode: "_s
            + timeText({ u"timecode hours", u"timecode minutes", u"timecode seconds",
                u"timecode frames" }));
    if (flag(p.value(u"wall clock trigger")))
        items.append(u"Wall Clock: "_s
            + timeText({ u"wall clock hours", u"wall clock minutes", u"wall clock seconds" }));
    const int stopOthers = static_cast<int>(numberOr(p.value(u"fade and stop others"), 0));
    if (stopOthers >= 1 && stopOthers <= 3) {
        static const QStringList scopes = { u"peers"_s, u"list"_s, u"all"_s };
        QString text = u"Fade & Stop: "_s + scopes.at(stopOthers - 1);
        const double time = numberOr(p.value(u"fade and stop others time"), 0);
        if (time > 0)
            text += u" ("_s + roundedText(time) + u"s)"_s;
        items.append(text);
    }
    const std::optional<double> duckLevel = number(p.value(u"duck level"));
    if (flag(p.value(u"duck others")) && duckLevel) {
        QString text = u"Duck: "_s + roundedText(*duckLevel) + u"dB"_s;
        const double time = numberOr(p.value(u"duck time"), 0);
        if (time > 0)
            text += u" ("_s + roundedText(time) + u"s)"_s;
        items.append(text);
    }
    const int secondAction = static_cast<int>(numberOr(p.value(u"second trigger action"), 0));
    if (secondAction >= 1 && secondAction <= 4) {
        static const QStringList actions = { u"panic"_s, u"stop"_s, u"hard stop"_s, u"restart"_s };
        items.append(u"2nd Trigger: "_s + actions.at(secondAction - 1));
    }
    if (items.isEmpty() && cueType(cue) == u"Group") {
        for (const Cue *member : children(cue)) {
            if (hasOwnTriggers(*member))
                return u"(triggers inside)"_s;
        }
    }
    return items.join(u'\n');
}

bool FixtureCueRows::hasOwnTriggers(const Cue &cue) const
{
    const QJsonObject &p = cue.properties;
    return flag(p.value(u"hotkey trigger")) || flag(p.value(u"midi trigger"))
        || flag(p.value(u"timecode trigger")) || flag(p.value(u"wall clock trigger"))
        || numberOr(p.value(u"fade and stop others"), 0) > 0 || flag(p.value(u"duck others"));
}

QList<const FixtureCueRows::Cue *> FixtureCueRows::children(const Cue &cue) const
{
    QList<const Cue *> result;
    for (qsizetype index : cue.children)
        result.append(&m_workspace.cues.at(index));
    return result;
}
