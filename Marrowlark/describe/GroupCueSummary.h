#pragma once

#include <QList>
#include <QString>

#include <optional>

class CueIndex;

// The kind of one member of a group, as its block in the group's action text names it.
enum class GroupItemCategory {
    audio,
    video,
    mic,
    fade,
    starts,
    stops,
    pauses,
    midi,
    network,
    wait,
    other
};

// One recognised member: described on its own, and in the shorter form used under a label.
struct GroupDescriptionItem
{
    GroupItemCategory category = GroupItemCategory::other;
    QString fullDescription;
    QString compactBody;
    // As written in the member's block, without the unit letter.
    std::optional<QString> preWait;
    std::optional<QString> postWait;
};

// Describes a group cue member by member from its action text: members that share a pre-wait
// under one "After N sec:" line, runs of members of one kind under a label such as "Starts:".
namespace GroupCueSummary {

// Empty when no member is recognised.
QString describeGroupCue(const QString &action, const CueIndex &targets);
QString summarizeGroupItems(const QList<GroupDescriptionItem> &items);

} // namespace GroupCueSummary
