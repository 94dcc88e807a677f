#pragma once

#include <QByteArray>
#include <QHashFunctions>
#include <QList>
#include <QString>

// One cue list of the chosen workspace as the discovery finds it and the import offers it; the
// user's choice is isSelected.
struct CueListInfo
{
    QString id;
    QString name;
    int cueCount = 0;
    bool isSelected = true;

    // A JSON array of {"id", "name", "cueCount"} objects, every key required with its type, each
    // entry selected; throws JsonCodingError when the text is not of that form.
    static QList<CueListInfo> listFromJson(const QByteArray &json);

    friend bool operator==(const CueListInfo &, const CueListInfo &) = default;
};

inline size_t qHash(const CueListInfo &info, size_t seed = 0)
{
    return qHashMulti(seed, info.id, info.name, info.cueCount, info.isSelected);
}
