#include "FakeQLabResponder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace {

using Reply = FakeQLabResponder::Reply;

Reply ok(const std::optional<QJsonValue> &data = std::nullopt)
{
    return Reply { u"ok"_s, data };
}

const Reply error { u"error"_s, std::nullopt };
const Reply denied { u"denied"_s, std::nullopt };

bool actsOnTarget(QStringView type)
{
    static const QStringList types = { u"Start"_s, u"Stop"_s, u"Pause"_s, u"Load"_s, u"Reset"_s,
        u"GoTo"_s, u"Devamp"_s, u"Fade"_s, u"Arm"_s, u"Disarm"_s, u"Target"_s };
    return types.contains(type);
}

// Defaults QLab gives every cue.
std::optional<QJsonValue> commonDefault(QStringView key)
{
    if (key == u"number" || key == u"name" || key == u"notes")
        return QJsonValue(QString());
    if (key == u"preWait" || key == u"postWait" || key == u"duration")
        return QJsonValue(0);
    if (key == u"armed")
        return QJsonValue(true);
    if (key == u"flagged" || key == u"isBroken")
        return QJsonValue(false);
    if (key == u"colorName")
        return QJsonValue(u"none"_s);
    return std::nullopt;
}

std::optional<QJsonValue> matrixEntry(const QJsonValue &matrix, QStringView row, QStringView column)
{
    bool rowOK = false;
    bool columnOK = false;
    const qsizetype r = row.toInt(&rowOK);
    const qsizetype c = column.toInt(&columnOK);
    const QJsonArray rows = matrix.toArray();
    if (!rowOK || !columnOK || r < 0 || r >= rows.size())
        return std::nullopt;
    const QJsonArray entries = rows.at(r).toArray();
    if (c < 0 || c >= entries.size())
        return std::nullopt;
    return entries.at(c);
}

} // namespace

FakeQLabResponder::FakeQLabResponder(WorkspaceFixture &fixture)
    : m_fixture(fixture)
{ }

std::optional<Reply> FakeQLabResponder::answer(
    qsizetype workspace, Client &client, const QString &address, const QVariantList &arguments)
{
    const WorkspaceFixture::Workspace &ws = m_fixture.workspaces().at(workspace);
    if (!client.permissions)
        client.permissions = ws.noPasscodePermissions;

    std::optional<Reply> reply;
    if (address == u"/connect") {
        const QString passcode = arguments.value(0).toString();
        if (arguments.isEmpty() || passcode.isEmpty()) {
            client.permissions = ws.noPasscodePermissions;
            return ok(u"ok:"_s + client.permissions->join(u'|'));
        }
        for (const WorkspaceFixture::Passcode &entry : ws.passcodes) {
            if (entry.passcode == passcode) {
                client.permissions = entry.permissions;
                return ok(u"ok:"_s + entry.permissions.join(u'|'));
            }
        }
        return ok(u"badpass"_s);
    } else if (address == u"/alwaysReply") {
        const QVariant on = arguments.value(0);
        client.alwaysReply = on.isValid() && on.toDouble() != 0;
    } else if (address == u"/cueLists") {
        if (!client.permissions->contains(u"view"_s))
            return denied;
        QJsonArray lists;
        for (qsizetype index : ws.cueLists)
            lists.append(cueListEntry(ws, index));
        reply = ok(lists);
    } else if (address.startsWith(u"/cue_id/")) {
        const QStringView rest = QStringView(address).mid(8);
        const qsizetype slash = rest.indexOf(u'/');
        if (slash <= 0)
            return error;
        reply = answerCue(
            workspace, *client.permissions, rest.left(slash), rest.mid(slash + 1), arguments);
    } else {
        return error;
    }
    // Messages that return nothing are answered only to clients that asked for every reply.
    if (!reply && client.alwaysReply)
        reply = ok();
    return reply;
}

std::optional<Reply> FakeQLabResponder::answerCue(qsizetype workspace,
    const QStringList &permissions, QStringView cueID, QStringView path,
    const QVariantList &arguments)
{
    const WorkspaceFixture::Workspace &ws = m_fixture.workspaces().at(workspace);
    const WorkspaceFixture::Cue *cue = ws.cue(cueID.toString());

    if (path == u"valuesForKeys") {
        if (!permissions.contains(u"view"_s))
            return denied;
        const QJsonDocument keys = QJsonDocument::fromJson(arguments.value(0).toString().toUtf8());
        if (!cue || !keys.isArray())
            return error;
        QJsonObject values;
        for (const QJsonValue &key : keys.array()) {
            if (const auto value = property(ws, *cue, key.toString()))
                values.insert(key.toString(), *value);
        }
        return ok(values);
    }

    if (!arguments.isEmpty()) {
        // Notes may be written with any permission; QLab's other settable properties need edit.
        if (path == u"notes" ? permissions.isEmpty() : !permissions.contains(u"edit"_s))
            return denied;
        if (!cue || path != u"notes" || arguments.first().typeId() != QMetaType::QString)
            return error;
        m_fixture.setProperty(
            workspace, cueID.toString(), u"notes"_s, arguments.first().toString());
        return std::nullopt;
    }

    if (!permissions.contains(u"view"_s))
        return denied;
    if (!cue)
        return error;
    const auto value = property(ws, *cue, path);
    return value ? ok(*value) : error;
}

std::optional<QJsonValue> FakeQLabResponder::property(const WorkspaceFixture::Workspace &ws,
    const WorkspaceFixture::Cue &cue, QStringView path, int depth) const
{
    // Keys with a blank are AppleScript terms, never OSC properties.
    if (path.isEmpty() || path.contains(u' '))
        return std::nullopt;
    const QJsonObject &p = cue.properties;
    const QString type = cue.text(u"type");
    const QList<QStringView> parts = path.split(u'/');

    if (parts.size() == 3 && (parts[0] == u"level" || parts[0] == u"doLevel"))
        return matrixEntry(
            p.value(parts[0] == u"level" ? u"levels" : u"doLevel"), parts[1], parts[2]);
    if (parts.size() == 2 && (parts[0] == u"scale" || parts[0] == u"translation")
        && (parts[1] == u"x" || parts[1] == u"y")) {
        const QJsonValue pair = p.value(parts[0]);
        if (!pair.isArray())
            return std::nullopt;
        return pair.toArray().at(parts[1] == u"x" ? 0 : 1);
    }
    if (parts.size() != 1)
        return std::nullopt;

    if (p.contains(path))
        return p.value(path);
    if (path == u"listName" || path == u"displayName") {
        if (!cue.text(u"name").isEmpty())
            return p.value(u"name");
        // QLab makes up a name for a nameless cue: its kind and what it acts on.
        const WorkspaceFixture::Cue *target = ws.cue(cue.text(u"cueTargetID"));
        if (target && depth < 8) {
            const auto targetName = property(ws, *target, u"displayName", depth + 1);
            return QJsonValue(type + u": "_s + targetName.value_or(QJsonValue()).toString());
        }
        return QJsonValue(type);
    }
    if (path == u"cueTargetNumber" && actsOnTarget(type)) {
        const WorkspaceFixture::Cue *target = ws.cue(cue.text(u"cueTargetID"));
        return QJsonValue(target ? target->text(u"number") : QString());
    }
    if (path == u"cueTargetID" && actsOnTarget(type))
        return QJsonValue(QString());
    if (path == u"mode" && type == u"Fade" && p.contains(u"levelsMode"))
        return p.value(u"levelsMode"); // QLab's older name for a fade's levels mode
    return commonDefault(path);
}

QJsonValue FakeQLabResponder::cueListEntry(
    const WorkspaceFixture::Workspace &ws, qsizetype index) const
{
    const WorkspaceFixture::Cue &cue = ws.cues.at(index);
    QJsonObject entry;
    auto put = [&](const QString &key, const QString &from) {
        if (const auto value = property(ws, cue, from))
            entry.insert(key, *value);
    };
    put(u"uniqueID"_s, u"uniqueID"_s);
    put(u"number"_s, u"number"_s);
    put(u"name"_s, u"name"_s);
    put(u"listName"_s, u"listName"_s);
    put(u"type"_s, u"type"_s);
    put(u"colorName"_s, u"colorName"_s);
    put(u"colorName/live"_s, u"colorName"_s);
    put(u"flagged"_s, u"flagged"_s);
    put(u"armed"_s, u"armed"_s);
    if (m_options.variantCueLists) {
        for (const QString &key :
            { u"notes"_s, u"preWait"_s, u"postWait"_s, u"duration"_s, u"mode"_s, u"isBroken"_s })
            put(key, key);
        for (const QString &key : { u"flagged"_s, u"armed"_s })
            entry.insert(key, entry.value(key).toBool() ? 1 : 0);
    }
    if (cue.hasChildArray) {
        QJsonArray children;
        for (qsizetype child : cue.children)
            children.append(cueListEntry(ws, child));
        entry.insert(u"cues"_s, children);
    }
    return entry;
}
