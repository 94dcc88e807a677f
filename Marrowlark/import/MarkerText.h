#pragma once

#include "qlab/FadeOSCParams.h"

#include <QJsonValue>
#include <QString>
#include <QStringList>

#include <optional>

// The lines that take the place of the OSC import's markers, built from what QLab answered.
class MarkerText
{
public:
    // A wait for the wait lines: "2.5", "5", "1m 30", "2m".
    static QString formatDuration(double seconds);
    // "pre-wait: 2.5s", "post-wait: 1m 30s", "pre-wait: 2m": no unit after whole minutes, which
    // would read as milliseconds. Nothing for a wait of 0.001 s or less.
    static std::optional<QString> waitLine(QStringView label, double seconds);

    // A fade's block without its indent: the header with the target, then its parameter lines.
    static QStringList fadeLines(
        const FadeOSCParams &params, const QString &target, std::optional<double> duration);
    // Whole percent, truncated, without losing 0.29 to the binary fraction just below it.
    static qint64 opacityPercent(double opacity);
};
