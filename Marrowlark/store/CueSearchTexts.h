#pragma once

#include "model/QLabCue.h"

#include <QList>
#include <QString>

// What the search field looks through in one cue list: number, name, notes and action of each
// top-level cue and of its direct members, case-folded and laid end to end in chunks of a few
// cues, so that a keystroke scans long runs of text. A changed cue only marks its chunk, which is
// folded again when the list is next searched: bulk changes cost nothing here.
class CueSearchTexts
{
public:
    explicit CueSearchTexts(const QList<QLabCue> &cues);

    // After a top-level cue was added at the end.
    void appendCue(const QLabCue &cue);
    // After the top-level cue at index, or one of its members, changed.
    void markChanged(qsizetype index);
    // For each top-level cue of cues (the list these texts follow), whether its texts hold search,
    // compared case-folded.
    QList<bool> matching(const QList<QLabCue> &cues, const QString &search) const;
    // The same for the cue at index alone.
    bool matches(const QList<QLabCue> &cues, qsizetype index, const QString &search) const;

private:
    struct Chunk
    {
        QString text;
        // Where each cue's part of text begins.
        QList<qsizetype> starts;
        bool changed = false;
    };

    // The chunk of the cue at index, folded again first when it changed.
    const Chunk &chunkOf(const QList<QLabCue> &cues, qsizetype index) const;

    mutable QList<Chunk> m_chunks;
};
