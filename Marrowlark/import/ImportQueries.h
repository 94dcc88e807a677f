#pragma once

// The machine completes ImportRun, whose inline accessor needs it.
#include "import/ImportStateMachine.h"
#include "qlab/CueQuestions.h"
#include "qlab/FadeOSCParams.h"
#include "qlab/OSCCueLevels.h"

#include <QCoroTask>
#include <QJsonValue>
#include <QString>
#include <QStringList>

#include <optional>

class QLab_OSCClient;

// The OSC questions one import run asks about single cues. Before each question the run must
// still be the current one: a cancelled run stops at its next question instead of talking on
// beside a newer run. A question that QLab leaves unanswered, answers without "ok" or with an
// unusable value has no answer; an error of the connection itself ends the run, since every
// later answer would be missing too and the import would pass off a hollow list as complete.
class ImportQueries : public CueQuestions
{
public:
    ImportQueries(QLab_OSCClient &client, ImportRun run);

    const ImportRun &run() const { return m_run; }

    // Throws the cancellation when the run is no longer current.
    void ensureCurrent() const;

    // The data of the first "ok" reply to "/cue_id/" + cueID + property.
    QCoro::Task<std::optional<QJsonValue>> answer(QString cueID, QString property) const override;
    // The same question asked again, with the longer wait a busy QLab needs.
    QCoro::Task<std::optional<QJsonValue>> answerAgain(QString cueID, QString property) const;
    // The answer when it is a non-empty text.
    QCoro::Task<std::optional<QString>> textAnswer(QString cueID, QString property) const;
    // "/valuesForKeys" with the keys as a compact JSON array; the answer when it is an object.
    QCoro::Task<std::optional<QJsonObject>> valuesForKeys(QString cueID, QStringList keys) const;

    QCoro::Task<std::optional<double>> duration(QString cueID) const override;
    QCoro::Task<std::optional<OSCCueLevels>> levels(QString cueID) const;
    QCoro::Task<FadeOSCParams> fadeParams(QString cueID) const;

private:
    QLab_OSCClient &m_client;
    ImportRun m_run;
};
