#include "qlab/OSCCueListData.h"

QList<QStringList> OSCCueListData::rows() const
{
    QList<QStringList> rows;
    rows.reserve(cues.size());
    for (const OSCCueData &cue : cues)
        rows.append(cue.rowStrings());
    return rows;
}
