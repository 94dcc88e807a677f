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

    // The entries of a "/workspaces" answer that carry a unique ID; none when it is no array.
    static std::optional<QList<OSCWorkspace>> listFrom(const std::optional<QJsonValue> &data);

    friend bool operator==(const OSCWorkspace &, const OSCWorkspace &) = default;
};
