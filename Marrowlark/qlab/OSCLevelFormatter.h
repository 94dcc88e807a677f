#pragma once

#include "qlab/FadeOSCParams.h"
#include "qlab/OSCCueLevels.h"

#include <QString>
#include <QStringList>

// The level lines written into action texts: runs of neighbouring outputs at one whole-dB
// level, audio and video level blocks, and a fade's level lines.
class OSCLevelFormatter
{
public:
    // "<1-2> -6", "<5> 0": neighbouring outputs at the same whole level form one range.
    static QStringList formatCrosspointRanges(const QList<OSCCueLevels::Output> &outputs);

    static QString formatAudioLevels(
        const QString &name, const QList<OSCCueLevels::Output> &outputs, double master);
    static QString formatVideoLevels(
        const QString &name, const QList<OSCCueLevels::Output> &outputs, double master);

    // Master lines, then the ranges of row 0, then the input lines in their order.
    static QStringList formatFadeLevelLines(const QList<FadeOSCParams::Level> &levels);
};
