#pragma once

#include "qlab/FadeOSCParams.h"

#include <QCoroTask>
#include <QString>

class QLab_OSCClient;

// Asks QLab, one request after the other, what a fade cue changes: rate, the set crosspoints of
// its level matrix and their levels, opacity, rotation, scale, translation and whether it stops
// its target. An error of the first three requests ends the read; later ones only leave their
// value out.
class OSCFadeParamsReader
{
public:
    static QCoro::Task<FadeOSCParams> fetchFadeParams(QLab_OSCClient &client, QString cueID);
};
