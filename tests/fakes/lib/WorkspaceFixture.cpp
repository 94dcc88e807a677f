#include "WorkspaceFixture.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace {

const QStringList allPermissions { u"view"_s, u"edit"_s, u"control"_s };

QStringList permissions(const QJsonValue &value, const QStringList &absent)
{
    if (value.isUndefined())
        return absent;
    QStringList result;
    for (const QJsonValue &entry : value.toArray())
        result.append(entry.toString());
    return result;
}

// Appends the cue, then its children, to the workspace; false for a missing or repeated uniqueID.
bool addCue(const QJsonValue &value, WorkspaceFixture::Workspace &ws, qsizetype *index)
{
    QJsonObject properties = value.toObject();
    const QString uniqueID = properties.value(u"uniqueID").toString();
    if (uniqueID.isEmpty() || ws.byUniqueID.contains(uniqueID))
        return false;
    WorkspaceFixture::Cue cue;
    const QJsonValue children = properties.take(u"cues");
    cue.properties = properties;
    cue.hasChildArray = children.isArray();
    *index = ws.cues.size();
    ws.cues.append(cue);
    ws.byUniqueID.insert(uniqueID, *index);
    for (const QJsonValue &child : children.toArray()) {
        qsizetype childIndex = -1;
        if (!addCue(child, ws, &childIndex))
            return false;
        ws.cues[*index].children.append(childIndex);
    }
    return true;
}

} // namespace

const WorkspaceFixture::Cue *WorkspaceFixture::Workspace::cue(const QString &uniqueID) const
{
    const qsizetype index = indexOf(uniqueID);
    return index < 0 ? nullptr : &cues.at(index);
}

std::optional<WorkspaceFixture> WorkspaceFixture::fromJson(const QByteArray &json, QString *error)
{
    const auto fail = [error](const QString &message) {
        if (error)
            *error = message;
        return std::nullopt;
    };
    QJsonParseError parseError;
    const QJsonObject top = QJsonDocument::fromJson(json, &parseError).object();
    if (parseError.error != QJsonParseError::NoError || !top.value(u"workspaces").isArray())
        return fail(u"no \"workspaces\" array: "_s + parseError.errorString());
    WorkspaceFixture fixture;
    fixture.m_qlabRunning = top.value(u"qlabRunning").toBool(true);
    for (const QJsonValue &value : top.value(u"workspaces").toArray()) {
        const QJsonObject object = value.toObject();
        Workspace ws;
        ws.uniqueID = object.value(u"uniqueID").toString();
        ws.displayName = object.value(u"displayName").toString(u"Untitled"_s);
        ws.noPasscodePermissions
            = permissions(object.value(u"noPasscodePermissions"), allPermissions);
        for (const QJsonValue &entry : object.value(u"passcodes").toArray())
            ws.passcodes.append(
                { entry[u"passcode"].toString(), permissions(entry[u"permissions"], {}) });
        for (const QJsonValue &list : object.value(u"cueLists").toArray()) {
            qsizetype index = -1;
            if (!addCue(list, ws, &index))
                return fail(u"workspace "_s + ws.uniqueID
                    + u": a cue without a uniqueID, or one used twice"_s);
            ws.cueLists.append(index);
        }
        fixture.m_workspaces.append(ws);
    }
    return fixture;
}

std::optional<WorkspaceFixture> WorkspaceFixture::load(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = path + u": "_s + file.errorString();
        return std::nullopt;
    }
    QString readError;
    auto fixture = fromJson(file.readAll(), &readError);
    if (!fixture && error)
        *error = path + u": "_s + readError;
    return fixture;
}

qsizetype WorkspaceFixture::workspaceIndex(const QString &uniqueID) const
{
    const auto found = std::find_if(m_workspaces.cbegin(), m_workspaces.cend(),
        [&](const Workspace &ws) { return ws.uniqueID == uniqueID; });
    return found == m_workspaces.cend() ? -1 : found - m_workspaces.cbegin();
}

bool WorkspaceFixture::setProperty(
    qsizetype workspace, const QString &uniqueID, const QString &key, const QJsonValue &value)
{
    if (workspace < 0 || workspace >= m_workspaces.size())
        return false;
    Workspace &ws = m_workspaces[workspace];
    const qsizetype index = ws.indexOf(uniqueID);
    if (index < 0)
        return false;
    ws.cues[index].properties.insert(key, value);
    return true;
}
