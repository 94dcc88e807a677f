#pragma once

#include "qlab/OSCCueData.h"

#include <QList>

// One cue list as read over OSC: its top-level cues, flattened and later enriched in place.
struct OSCCueListData
{
    QString id;
    QString name;
    QList<OSCCueData> cues;

    // One cue row per cue, in order (the rows of this list's import).
    QList<QStringList> rows() const;

    friend bool operator==(const OSCCueListData &, const OSCCueListData &) = default;
};
