#pragma once

#include <QCoroTask>
#include <QJsonValue>
#include <QString>

#include <optional>

// How a describer asks QLab about one cue. The enrichment carries on without an answer when a
// request fails; an import run's questions also end the run when it was cancelled or its
// connection dropped.
class CueQuestions
{
public:
    virtual ~CueQuestions() = default;

    // The data of the first "ok" reply to "/cue_id/" + cueID + property; none without one.
    virtual QCoro::Task<std::optional<QJsonValue>> answer(
        QString cueID, QString property) const = 0;
    virtual QCoro::Task<std::optional<double>> duration(QString cueID) const = 0;
};
