#pragma once

#include <QHashFunctions>
#include <QString>

// One QLab cue list offered for import; the user's choice is isSelected.
struct CueListInfo
{
    QString id;
    QString name;
    int cueCount = 0;
    bool isSelected = true;

    friend bool operator==(const CueListInfo &, const CueListInfo &) = default;
};

inline size_t qHash(const CueListInfo &info, size_t seed = 0)
{
    return qHashMulti(seed, info.id, info.name, info.cueCount, info.isSelected);
}
