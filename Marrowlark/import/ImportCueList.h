#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// One imported cue list: its name and its cues as positional rows of texts. Its JSON form is an
// object with "name" (text) and "cues" (array of arrays of texts); both are required, nothing
// else is accepted in their place, and other keys are ignored.
struct ImportCueList
{
    QString name;
    QList<QStringList> cues;

    // Nothing when the value is not of the JSON form above; error then says why.
    static std::optional<ImportCueList> fromJson(const QJsonValue &value, QString *error = nullptr);
    static std::optional<ImportCueList> fromJson(const QByteArray &json, QString *error = nullptr);
    // "name" first, then "cues".
    QByteArray toJson() const;

    friend bool operator==(const ImportCueList &, const ImportCueList &) = default;
};
