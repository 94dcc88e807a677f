#pragma once

#include <QColor>
#include <QHashFunctions>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

// The kinds of QLab cue, in declaration order. The raw value is the identity of a kind.
enum class CueType {
    audio,
    video,
    midi,
    fade,
    wait,
    group,
    mic,
    script,
    network,
    light,
    camera,
    text,
    start,
    stop,
    pause,
    load,
    reset,
    memo,
    goTo,
    timecode,
    devamp,
    unknown,
};

inline constexpr int cueTypeCount = 22;

const std::array<CueType, cueTypeCount> &allCueTypes();

QString rawValue(CueType type);
// Exact, case-sensitive raw value.
std::optional<CueType> cueTypeFromRawValue(QStringView text);
// A QLab type text: the exact raw value, else the text before the first " (", else unknown.
CueType cueTypeFromTypeString(QStringView text);

QColor cueTypeColor(CueType type);
// Six upper-case hex digits, each sRGB component times 255 truncated.
QString cueTypeHexColor(CueType type);

inline size_t qHash(CueType type, size_t seed = 0)
{
    return ::qHash(static_cast<int>(type), seed);
}
