#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// One cue list of the front workspace as the discovery finds it.
struct CueListEntry
{
    QString id;
    QString name;
    int cueCount = 0;

    // A JSON array of {"id", "name", "cueCount"} objects, every key required with its type;
    // nothing when the text is not of that form, and error then says why.
    static std::optional<QList<CueListEntry>> listFromJson(const QByteArray &json, QString *error);

    friend bool operator==(const CueListEntry &, const CueListEntry &) = default;
};
