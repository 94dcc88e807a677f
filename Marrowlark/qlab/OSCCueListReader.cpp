#include "qlab/OSCCueListReader.h"

#include "model/ActionTextLayout.h"
#include "qlab/OSCCueAddress.h"
#include "qlab/OSCValue.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int maximumDepth = 10;

QString textOr(const QJsonObject &cue, QStringView key, const QString &fallback)
{
    const QJsonValue value = cue.value(key);
    return value.isString() ? value.toString() : fallback;
}

QString cueName(const QJsonObject &cue)
{
    const QJsonValue listName = cue.value(u"listName");
    return listName.isString() ? listName.toString() : textOr(cue, u"name", QString());
}

double seconds(const QJsonObject &cue, QStringView key)
{
    const QJsonValue value = cue.value(key);
    return value.isDouble() ? value.toDouble() : 0;
}

// The action text of a cue that is not a group; nullopt for types without a fixed text.
std::optional<QString> fixedActionText(const QJsonObject &cue, const QString &type)
{
    using namespace ActionTextLayout;
    const QString uid = textOr(cue, u"uniqueID", QString());
    if (type == u"Audio")
        return audioMarker.toString() + uid;
    if (type == u"Video")
        return videoMarker.toString() + uid;
    if (type == u"Fade")
        return fadeMarker.toString() + uid;
    if (type == u"Wait") {
        // QLab 5's "/cueLists" carries no length: it is asked for later.
        const QJsonValue duration = cue.value(u"duration");
        if (duration.isDouble())
            return OSCCueListReader::waitText(duration.toDouble());
        return uid.isEmpty() ? OSCCueListReader::waitText(std::nullopt)
                             : waitCueMarker.toString() + uid;
    }
    if (OSCCueListReader::isTargetType(type))
        return targetMarker.toString() + type + u'|' + uid;
    if (type == u"MIDI")
        return midiMarker.toString() + uid;
    if (type == u"Network")
        return networkMarker.toString() + uid;
    if (type == u"Timecode")
        return timecodeMarker.toString() + uid;
    if (type == u"Devamp")
        return devampMarker.toString() + uid;
    return std::nullopt;
}

// Whether the cue's own "armed" says it is off; flags may come as 0 and 1.
bool isDisarmed(const QJsonObject &cue)
{
    return OSCValue::flag(cue.value(u"armed")) == false;
}

bool isKeptTopLevel(const QJsonObject &cue)
{
    if (const auto armed = OSCValue::flag(cue.value(u"armed")))
        return *armed;
    return OSCValue::flag(cue.value(u"isBroken")) != true;
}

QString capitalizedWords(const QString &text)
{
    QStringList words = text.split(u' ');
    for (QString &word : words) {
        if (!word.isEmpty())
            word = word.left(1).toUpper() + word.mid(1).toLower();
    }
    return words.join(u' ');
}

} // namespace

bool OSCCueListReader::isTargetType(QStringView type)
{
    return type == u"Start" || type == u"Stop" || type == u"Pause" || type == u"Load"
        || type == u"Reset" || type == u"GoTo";
}

std::optional<QJsonArray> OSCCueListReader::dictionaries(const QJsonValue &value)
{
    if (!value.isArray())
        return std::nullopt;
    const QJsonArray array = value.toArray();
    for (const QJsonValue &element : array) {
        if (!element.isObject())
            return std::nullopt;
    }
    return array;
}

QList<OSCCueListData> OSCCueListReader::readCueLists(const std::optional<QJsonValue> &data)
{
    QList<OSCCueListData> lists;
    const auto dictionaryArray = data ? dictionaries(*data) : std::nullopt;
    if (!dictionaryArray)
        return lists;
    for (const QJsonValue &value : *dictionaryArray) {
        const QJsonObject list = value.toObject();
        OSCCueListData entry;
        const QJsonValue listName = list.value(u"listName");
        entry.name
            = listName.isString() ? listName.toString() : textOr(list, u"name", u"Cue List"_s);
        entry.id = textOr(list, u"uniqueID", QString());
        if (const auto cues = dictionaries(list.value(u"cues")))
            entry.cues = flattenCues(*cues);
        lists.append(entry);
    }
    return lists;
}

QList<OSCCueData> OSCCueListReader::flattenCues(const QJsonArray &cues)
{
    QList<OSCCueData> records;
    for (const QJsonValue &value : cues) {
        const QJsonObject cue = value.toObject();
        if (!isKeptTopLevel(cue))
            continue;
        OSCCueData record;
        const QString type = textOr(cue, u"type", u"Unknown"_s);
        record.number = textOr(cue, u"number", QString());
        record.name = cueName(cue);
        record.qlabCueID = textOr(cue, u"uniqueID", QString());
        record.notes = textOr(cue, u"notes", QString());
        record.notesRead = cue.value(u"notes").isString();
        record.preWait = seconds(cue, u"preWait");
        record.postWait = seconds(cue, u"postWait");
        record.waitsRead = cue.value(u"preWait").isDouble() && cue.value(u"postWait").isDouble();
        if (type == u"Group") {
            record.type = groupTypeLabel(cue);
            record.action
                = renderGroupChildren(dictionaries(cue.value(u"cues")).value_or(QJsonArray()), 1);
        } else {
            record.type = type;
            record.action = fixedActionText(cue, type).value_or(type);
        }
        records.append(record);
    }
    return records;
}

QString OSCCueListReader::renderGroupChildren(const QJsonArray &children, int depth)
{
    if (depth > maximumDepth)
        return u"[...]"_s;
    const QString indent = ActionTextLayout::nestingIndent(depth - 1);
    QStringList entries;
    for (const QJsonValue &value : children) {
        const QJsonObject child = value.toObject();
        if (isDisarmed(child))
            continue;
        const QString type = textOr(child, u"type", QString());
        const QString name = cueName(child);
        const QString uid = textOr(child, u"uniqueID", QString());
        if (type == u"Group") {
            // QLab 5's "/cueLists" carries no mode: it is asked for later.
            const bool modeUnknown = !child.value(u"mode").isString()
                && OSCCueAddress::isSendable(uid) && !uid.contains(u'|');
            QString line = indent
                + (modeUnknown ? ActionTextLayout::groupMarker.toString() + uid + u'|'
                               : groupTypeLabel(child));
            const QString number = textOr(child, u"number", QString());
            if (!name.isEmpty())
                line += u": "_s + name;
            else if (!number.isEmpty())
                line += u" ["_s + number + u']';
            const QJsonArray members = dictionaries(child.value(u"cues")).value_or(QJsonArray());
            if (!members.isEmpty()) {
                line += u" {\n"_s + renderGroupChildren(members, depth + 1) + u'\n' + indent + u'}';
            }
            entries.append(line);
        } else if (const auto fixed = fixedActionText(child, type)) {
            entries.append(indent + *fixed);
        } else {
            entries.append(indent + (name.isEmpty() ? type : type + u": "_s + name));
        }
        if (!uid.isEmpty()) {
            entries.append(indent + ActionTextLayout::parameterIndent.toString()
                + ActionTextLayout::waitMarker.toString() + uid);
        }
    }
    return entries.join(u'\n');
}

QString OSCCueListReader::waitText(std::optional<double> seconds)
{
    if (!seconds || !(*seconds > 0))
        return u"Wait"_s;
    return u"Wait: "_s + QString::number(OSCValue::rounded(*seconds)) + u's';
}

QString OSCCueListReader::groupTypeLabel(const QJsonObject &group)
{
    const QString type = textOr(group, u"type", u"Group"_s);
    const QJsonValue modeValue = group.value(u"mode");
    const QString mode = modeValue.toString();
    if (!modeValue.isString() || mode.isEmpty() || mode == u"0")
        return type;
    const QString lower = mode.toLower();
    QString label;
    if (lower == u"timeline" || lower == u"1")
        label = u"Timeline"_s;
    else if (lower == u"cue_list")
        label = u"Cue List"_s;
    else
        label = capitalizedWords(mode);
    return type + u" ("_s + label + u')';
}
