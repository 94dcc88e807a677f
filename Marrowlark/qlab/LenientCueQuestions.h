#pragma once

#include "qlab/CueQuestions.h"

class QLab_OSCClient;

// Questions whose failed requests count as unanswered, so one cue's trouble never stops the
// enrichment of a list.
class LenientCueQuestions : public CueQuestions
{
public:
    explicit LenientCueQuestions(QLab_OSCClient &client)
        : m_client(client)
    { }

    QCoro::Task<std::optional<QJsonValue>> answer(QString cueID, QString property) const override;
    QCoro::Task<std::optional<double>> duration(QString cueID) const override;

private:
    QLab_OSCClient &m_client;
};
