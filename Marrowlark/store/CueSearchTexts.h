#pragma once

#include "model/QLabCue.h"

#include <QList>
#include <QString>

// What the search field looks through in one cue list: number, name, notes and action of each
// top-level cue and of its direct members, case-folded once and laid end to end, so that a
// keystroke is one scan; kept up to date one edited cue at a time.
class CueSearchTexts
{
public:
    explicit CueSearchTexts(const QList<QLabCue> &cues);

    // After a top-level cue was added at the end.
    void appendCue(const QLabCue &cue);
    // After the top-level cue at index, or one of its members, changed.
    void replaceCue(qsizetype index, const QLabCue &cue);
    // For each top-level cue, whether its texts hold search, compared case-folded.
    QList<bool> matching(const QString &search) const;

private:
    QString m_texts;
    // Where each cue's part of m_texts begins.
    QList<qsizetype> m_starts;
};
