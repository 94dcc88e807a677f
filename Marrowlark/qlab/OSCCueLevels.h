#pragma once

#include <QJsonValue>
#include <QList>

#include <optional>

// The outputs an audio or video cue plays to, read from its "/levels" matrix: row 0 holds the
// master level and the output levels, every further row one input's crosspoints.
struct OSCCueLevels
{
    struct Output
    {
        int channel = 0;
        double level = 0;
        friend bool operator==(const Output &, const Output &) = default;
    };

    QList<Output> outputs; // the active outputs in column order, with their row-0 levels
    double master = 0;

    // A column is active when some input row holds a level above -60 dB there. None when the
    // payload is no matrix or its master level is no number: QLab did not say.
    static std::optional<OSCCueLevels> fromMatrix(const std::optional<QJsonValue> &matrix);

    friend bool operator==(const OSCCueLevels &, const OSCCueLevels &) = default;
};
