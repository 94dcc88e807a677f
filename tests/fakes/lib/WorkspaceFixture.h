#pragma once

// The QLab workspaces that the fakes (fake-qlab and the fake osascript) serve, read from a JSON
// fixture such as tests/fakes/show.json:
//
//   { "qlabRunning": true,                    optional (default true), for the AppleScript side
//     "workspaces": [ {                       in QLab's order; the first is the front one
//       "uniqueID": "WS-1", "displayName": "Hamlet",
//       "passcodes": [ { "passcode": "1234", "permissions": ["view", "edit", "control"] } ],
//       "noPasscodePermissions": ["view"],    default: view, edit and control
//       "cueLists": [ <cue>, ... ] } ] }      lists and carts, their top-level cues in "cues"
//
// A <cue> holds QLab's OSC property names and values as QLab names them ("uniqueID", required and
// unique in its workspace, "type", "number", "name", "notes", "preWait", "levels", "cueTargetID",
// ...), kept as written so that a fixture can hold the odd forms QLab sends; groups carry their
// children in "cues". Keys containing a blank hold the canned answers of QLab's AppleScript, which
// only the fake osascript reads: a cue's "trigger text", a list's "cue rows" (what GetCueDataOSC
// gives) and "cue rows with OSC" where those differ. Notes written through the fake QLab change
// the loaded fixture, not the file.

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class WorkspaceFixture
{
public:
    struct Cue
    {
        QJsonObject properties; // every key but "cues"
        bool hasChildArray = false; // "cues" was present (groups, lists, carts)
        QList<qsizetype> children; // indexes into Workspace::cues

        QString uniqueID() const { return properties.value(u"uniqueID").toString(); }
        QString text(QStringView key) const { return properties.value(key).toString(); }
    };

    struct Passcode
    {
        QString passcode;
        QStringList permissions;
    };

    struct Workspace
    {
        QString uniqueID;
        QString displayName;
        QList<Passcode> passcodes;
        QStringList noPasscodePermissions;
        QList<Cue> cues; // every cue of the workspace, lists included, in document order
        QList<qsizetype> cueLists; // indexes of the lists in QLab's order
        QHash<QString, qsizetype> byUniqueID;

        // The index of the cue with this unique ID, or -1.
        qsizetype indexOf(const QString &uniqueID) const { return byUniqueID.value(uniqueID, -1); }
        const Cue *cue(const QString &uniqueID) const;
    };

    // Reads a fixture; on failure returns nothing and sets *error.
    static std::optional<WorkspaceFixture> fromJson(const QByteArray &json, QString *error);
    static std::optional<WorkspaceFixture> load(const QString &path, QString *error);

    bool qlabRunning() const { return m_qlabRunning; }
    const QList<Workspace> &workspaces() const { return m_workspaces; }
    // The workspace index for a "workspace_id", or -1.
    qsizetype workspaceIndex(const QString &uniqueID) const;

    // Sets one property of a cue (QLab's notes writes); false when the cue is unknown.
    bool setProperty(
        qsizetype workspace, const QString &uniqueID, const QString &key, const QJsonValue &value);

private:
    bool m_qlabRunning = true;
    QList<Workspace> m_workspaces;
};
