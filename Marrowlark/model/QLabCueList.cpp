#include "model/QLabCueList.h"

int QLabCueList::totalCueCount() const
{
    int count = 0;
    for (const QLabCue &cue : cues)
        count += 1 + int(cue.children.size());
    return count;
}

size_t qHash(const QLabCueList &list, size_t seed)
{
    QtPrivate::QHashCombine combine;
    seed = combine(seed, list.id);
    seed = combine(seed, list.name);
    seed = combine(seed, list.cues.size());
    for (const QLabCue &cue : list.cues)
        seed = qHash(cue, seed);
    return seed;
}
