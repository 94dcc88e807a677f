#pragma once

#include "model/QLabCue.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// The cues that Start, Stop, Fade and Pause references name, looked up in constant time. Gives
// the same cue as walking the list in order and taking the first whose number, name or name
// without media extension equals the reference (canonically equivalent texts are equal).
// Build it once per description run over the flat list of all cues.
class CueIndex
{
public:
    CueIndex() = default;
    explicit CueIndex(const QList<QLabCue> &cues);

    // Valid while this index lives.
    const QLabCue *find(const QString &reference) const;

    // The found cue's name markup, else its name without media extension; nothing when no cue
    // matches or the found cue has neither.
    std::optional<QString> resolveTargetName(const QString &reference) const;

private:
    QList<QLabCue> m_cues;
    QHash<QString, qsizetype> m_firstPosition;
};
