#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One cue list of the front workspace as the discovery finds it.
struct CueListEntry
{
    QString id;
    QString name;
    int cueCount = 0;

    // A JSON array of {"id", "name", "cueCount"} objects, every key required with its type;
    // throws JsonCodingError when the text is not of that form.
    static QList<CueListEntry> listFromJson(const QByteArray &json);

    friend bool operator==(const CueListEntry &, const CueListEntry &) = default;
};
