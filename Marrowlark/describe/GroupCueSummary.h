#pragma once

#include <QString>

class CueIndex;

// Describes a group cue member by member from its action text: members that share a pre-wait
// under one "After N sec:" line, runs of members of one kind under a label such as "Starts:".
namespace GroupCueSummary {

// Empty when no member is recognised.
QString describeGroupCue(const QString &action, const CueIndex &targets);

} // namespace GroupCueSummary
