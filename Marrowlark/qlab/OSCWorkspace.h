#pragma once

#include <QJsonValue>
#include <QList>
#include <QString>

#include <optional>

// One open QLab workspace as "/workspaces" lists it.
struct OSCWorkspace
{
    QString uniqueID;
    QString displayName;

    // The entries of a "/workspaces" answer whose unique ID can be put into an address; none
    // when it is no array.
    static std::optional<QList<OSCWorkspace>> listFrom(const std::optional<QJsonValue> &data);

    // Whether this is the workspace AppleScript calls name. The two roads name a workspace
    // differently: the file extension ".qlab5" or ".qlab4" is left out on both sides.
    bool isNamed(QStringView name) const;
    // Whether two names, as either road gives them, name the same workspace.
    static bool sameName(QStringView one, QStringView other);

    friend bool operator==(const OSCWorkspace &, const OSCWorkspace &) = default;
};
