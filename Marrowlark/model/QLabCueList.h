#pragma once

#include "model/QLabCue.h"

// One cue list: its top-level cues in QLab order.
struct QLabCueList
{
    QUuid id;
    QString name;
    QList<QLabCue> cues;

    // Top-level cues plus their direct children; grandchildren are not counted.
    int totalCueCount() const;

    friend bool operator==(const QLabCueList &, const QLabCueList &) = default;
};

size_t qHash(const QLabCueList &list, size_t seed = 0);
