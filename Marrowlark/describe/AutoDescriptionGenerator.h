#pragma once

#include "model/QLabCue.h"

#include <QList>
#include <QString>

#include <optional>

class CueIndex;

// Composes the short English or Russian description of one cue from its kind, name, action
// text, notes and waits, in the current interface language. Pure text: reads nothing but its
// arguments and the language, keeps no state. Main thread only.
class AutoDescriptionGenerator
{
public:
    static AutoDescriptionGenerator &shared();

    // For one cue. Builds a target index over allCues; when describing many cues against the
    // same list, build one CueIndex and use the overload below.
    QString generateDescription(const QLabCue &cue, const QList<QLabCue> &allCues) const;
    // Empty when the cue gets no description.
    QString generateDescription(const QLabCue &cue, const CueIndex &targets) const;

private:
    AutoDescriptionGenerator() = default;

    QString describeBody(const QLabCue &cue, const CueIndex &targets) const;
    QString describeStartCue(const QString &action, const CueIndex &targets) const;
    QString describeStopCue(const QString &action, const CueIndex &targets) const;
};
