#pragma once

#include <QString>

// The describers of the cue kinds that need nothing but the cue's own name and action text.
// Each returns one line in the current interface language.
namespace CueDescribers {

QString describeAudioCue(const QString &action, const QString &name);
QString describeVideoCue(const QString &name);
QString describeMIDICue(const QString &action);
QString describeFadeCue(const QString &action);
QString describeWaitCue(const QString &action);
QString describePauseCue(const QString &action);
QString describeMicCue(const QString &name);
QString describeDevampCue(const QString &action, const QString &name);
QString describeNetworkCue(const QString &name);
QString describeLightCue(const QString &name);
QString describeScriptCue(const QString &name);
QString describeTextCue(const QString &name);
QString describeCameraCue(const QString &name);

} // namespace CueDescribers
