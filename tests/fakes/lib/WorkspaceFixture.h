#pragma once

// The QLab workspaces that the fakes (fake-qlab and the fake osascript) serve, read from a JSON
// fixture such as tests/fakes/show.json.
//
// Fixture format (UTF-8 JSON object):
//
//   {
//     "qlabRunning": true,                  optional, default true (for the AppleScript side)
//     "workspaces": [                       open workspaces, in QLab's order; the first is front
//       {
//         "uniqueID": "WS-1",               required text: the replies' "workspace_id"
//         "displayName": "Hamlet",          optional text, default "Untitled"
//         "passcodes": [                    optional; each entry grants its permissions
//           { "passcode": "1234", "permissions": ["view", "edit", "control"] }
//         ],
//         "noPasscodePermissions": ["view"],  optional; permissions of connections without a
//                                             passcode (default: view, edit and control)
//         "cueLists": [ <cue>, ... ]        cue lists and carts, each a <cue> whose "cues" are
//                                           its top-level cues
//       }
//     ]
//   }
//
// A <cue> is an object of QLab's property names and values, exactly as QLab's OSC interface names
// them: "uniqueID" (required, unique within its workspace), "type", "number", "name", "notes",
// "preWait", "postWait", "duration", "armed", "flagged", "colorName", "isBroken", "mode",
// "levelsMode", "cueTargetID", "levels", "doLevel", "rate", "doRate", "messageType", "status",
// "channel", "byte1", "byte2", "startTime", "networkPatchNumber", "customString", "opacity",
// "scale", ... . A group, cue list or cart carries its children as "cues" (an array of <cue>).
// Keys containing a blank are QLab's AppleScript terms ("hotkey trigger", "midi command",
// "duck level", ...): only the fake osascript reads them; an OSC address never names them.
// Values are kept as written, so a fixture can hold the odd forms QLab sends (numbers for
// flags, texts for numbers).
//
// Notes written through the fake QLab change the loaded fixture, not the file.

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
        qsizetype parent = -1; // -1 for a cue list
        qsizetype cueList = -1; // the cue list the cue belongs to (itself for a list)

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

    // Reads a fixture; on failure returns nothing and sets *error to a message that names the
    // offending place.
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
