#pragma once

#include "qlab/OSCCueListData.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>

#include <optional>

// Turns the data of QLab's "/cueLists" reply into cue lists of flat records. Each top-level cue
// becomes one OSCCueData whose action is a short text or a marker naming the cue by its unique
// ID; a group's members, nested groups included, are written into the group's action text.
class OSCCueListReader
{
public:
    // One entry per list dictionary; empty when the data is not an array of dictionaries.
    static QList<OSCCueListData> readCueLists(const std::optional<QJsonValue> &data);

    // One record per kept top-level cue, in order.
    static QList<OSCCueData> flattenCues(const QJsonArray &cues);

    // The action text of a group whose members are `children`, at `depth` (1 for the members of
    // a top-level group).
    static QString renderGroupChildren(const QJsonArray &children, int depth);

    // The group's type text with its mode, e.g. "Group (Timeline)".
    static QString groupTypeLabel(const QJsonObject &group);

    // "Wait: 3s" for a Wait cue of that many seconds (to the nearest whole), "Wait" without a
    // positive length.
    static QString waitText(std::optional<double> seconds);

    // Whether cues of this type text act on a target cue: Start, Stop, Pause, Load, Reset, GoTo.
    static bool isTargetType(QStringView type);

    // The array when every element is an object; none otherwise.
    static std::optional<QJsonArray> dictionaries(const QJsonValue &value);
};
