#pragma once

#include <QList>

#include <optional>

// What a fade cue changes, as its OSC properties report it.
struct FadeOSCParams
{
    struct Level
    {
        int row = 0;
        int col = 0;
        double level = 0;
        friend bool operator==(const Level &, const Level &) = default;
    };

    std::optional<double> rate; // only when doRate
    bool doRate = false;
    bool hasActiveLevel = false; // at least one crosspoint of doLevel is set
    QList<Level> activeLevels; // set crosspoints whose level is a number, row by row
    std::optional<double> opacity;
    std::optional<double> rotation;
    std::optional<double> scaleX;
    std::optional<double> scaleY;
    std::optional<double> translationX;
    std::optional<double> translationY;
    bool stopTargetWhenDone = false;

    friend bool operator==(const FadeOSCParams &, const FadeOSCParams &) = default;
};
