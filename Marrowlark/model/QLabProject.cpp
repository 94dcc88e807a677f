#include "model/QLabProject.h"

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

int QLabProject::totalCueCount() const
{
    int count = 0;
    for (const QLabCueList &list : cueLists)
        count += list.totalCueCount();
    return count;
}

QLabProject QLabProject::created(const QString &name, QList<QLabCueList> cueLists)
{
    const ReferenceDate now = ReferenceDate::now();
    return QLabProject { QUuid::createUuid(), name, std::move(cueLists), now, now,
        QStringLiteral("1.0") };
}
