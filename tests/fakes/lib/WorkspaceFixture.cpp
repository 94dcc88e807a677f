#include "WorkspaceFixture.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace {

const QStringList allPermissions
    = { QStringLiteral("view"), QStringLiteral("edit"), QStringLiteral("control") };

// Reading keeps the path of the value it looks at, so an error can say where the fixture is wrong.
struct Reader
{
    QString error;

    bool fail(const QString &where, const QString &what)
    {
        error = where + u": "_s + what;
        return false;
    }

    bool readPermissions(const QJsonValue &value, const QString &where, QStringList *out)
    {
        if (!value.isArray())
            return fail(where, u"expected an array of permission texts"_s);
        out->clear();
        for (const QJsonValue &entry : value.toArray()) {
            const QString permission = entry.toString();
            if (!entry.isString() || !allPermissions.contains(permission))
                return fail(where, u"a permission is \"view\", \"edit\" or \"control\""_s);
            out->append(permission);
        }
        return true;
    }

    bool readCue(const QJsonValue &value, const QString &where, WorkspaceFixture::Workspace &ws,
        qsizetype parent, qsizetype cueList, qsizetype *index)
    {
        if (!value.isObject())
            return fail(where, u"a cue is an object"_s);
        QJsonObject properties = value.toObject();
        const QJsonValue uniqueID = properties.value(u"uniqueID");
        if (!uniqueID.isString())
            return fail(where, u"\"uniqueID\" must be a text"_s);
        WorkspaceFixture::Cue cue;
        cue.parent = parent;
        const QJsonValue children = properties.take(u"cues");
        cue.properties = properties;
        cue.hasChildArray = !children.isUndefined();
        if (cue.hasChildArray && !children.isArray())
            return fail(where, u"\"cues\" must be an array"_s);

        *index = ws.cues.size();
        cue.cueList = cueList < 0 ? *index : cueList;
        ws.cues.append(cue);
        if (ws.indexOf(uniqueID.toString()) >= 0)
            return fail(where, u"duplicate uniqueID \""_s + uniqueID.toString() + u'"');
        ws.byUniqueID.insert(uniqueID.toString(), *index);

        const QJsonArray array = children.toArray();
        for (qsizetype i = 0; i < array.size(); ++i) {
            qsizetype child = -1;
            if (!readCue(array.at(i), where + u".cues["_s + QString::number(i) + u']', ws, *index,
                    ws.cues.at(*index).cueList, &child))
                return false;
            ws.cues[*index].children.append(child);
        }
        return true;
    }

    bool readWorkspace(
        const QJsonValue &value, const QString &where, WorkspaceFixture::Workspace *ws)
    {
        if (!value.isObject())
            return fail(where, u"a workspace is an object"_s);
        const QJsonObject object = value.toObject();
        if (!object.value(u"uniqueID").isString())
            return fail(where, u"\"uniqueID\" must be a text"_s);
        ws->uniqueID = object.value(u"uniqueID").toString();
        ws->displayName = object.value(u"displayName").toString(u"Untitled"_s);

        ws->noPasscodePermissions = allPermissions;
        if (object.contains(u"noPasscodePermissions")
            && !readPermissions(object.value(u"noPasscodePermissions"),
                where + u".noPasscodePermissions"_s, &ws->noPasscodePermissions))
            return false;

        const QJsonValue passcodes = object.value(u"passcodes");
        if (!passcodes.isUndefined() && !passcodes.isArray())
            return fail(where, u"\"passcodes\" must be an array"_s);
        const QJsonArray passcodeArray = passcodes.toArray();
        for (qsizetype i = 0; i < passcodeArray.size(); ++i) {
            const QString at = where + u".passcodes["_s + QString::number(i) + u']';
            const QJsonObject entry = passcodeArray.at(i).toObject();
            if (!entry.value(u"passcode").isString())
                return fail(at, u"\"passcode\" must be a text"_s);
            WorkspaceFixture::Passcode passcode { entry.value(u"passcode").toString(), {} };
            if (!readPermissions(
                    entry.value(u"permissions"), at + u".permissions"_s, &passcode.permissions))
                return false;
            ws->passcodes.append(passcode);
        }

        const QJsonValue lists = object.value(u"cueLists");
        if (!lists.isArray())
            return fail(where, u"\"cueLists\" must be an array"_s);
        const QJsonArray listArray = lists.toArray();
        for (qsizetype i = 0; i < listArray.size(); ++i) {
            qsizetype index = -1;
            if (!readCue(listArray.at(i), where + u".cueLists["_s + QString::number(i) + u']', *ws,
                    -1, -1, &index))
                return false;
            ws->cueLists.append(index);
        }
        return true;
    }
};

} // namespace

const WorkspaceFixture::Cue *WorkspaceFixture::Workspace::cue(const QString &uniqueID) const
{
    const qsizetype index = indexOf(uniqueID);
    return index < 0 ? nullptr : &cues.at(index);
}

std::optional<WorkspaceFixture> WorkspaceFixture::fromJson(const QByteArray &json, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    Reader reader;
    WorkspaceFixture fixture;
    if (parseError.error != QJsonParseError::NoError) {
        reader.fail(u"offset "_s + QString::number(parseError.offset), parseError.errorString());
    } else if (!document.isObject()) {
        reader.fail(u"fixture"_s, u"the top level must be an object"_s);
    } else {
        const QJsonObject top = document.object();
        const QJsonValue running = top.value(u"qlabRunning");
        const QJsonValue workspaces = top.value(u"workspaces");
        if (!running.isUndefined() && !running.isBool()) {
            reader.fail(u"qlabRunning"_s, u"must be true or false"_s);
        } else if (!workspaces.isArray()) {
            reader.fail(u"workspaces"_s, u"must be an array"_s);
        } else {
            fixture.m_qlabRunning = running.toBool(true);
            const QJsonArray array = workspaces.toArray();
            for (qsizetype i = 0; i < array.size() && reader.error.isEmpty(); ++i) {
                Workspace ws;
                if (reader.readWorkspace(
                        array.at(i), u"workspaces["_s + QString::number(i) + u']', &ws))
                    fixture.m_workspaces.append(ws);
            }
        }
    }
    if (!reader.error.isEmpty()) {
        if (error)
            *error = reader.error;
        return std::nullopt;
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
    for (qsizetype i = 0; i < m_workspaces.size(); ++i) {
        if (m_workspaces.at(i).uniqueID == uniqueID)
            return i;
    }
    return -1;
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
