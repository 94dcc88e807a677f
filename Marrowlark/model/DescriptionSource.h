#pragma once

#include <QHashFunctions>
#include <QString>
#include <QStringView>

#include <optional>

// Where a cue's description came from.
enum class DescriptionSource {
    imported,
    generated,
    manual,
    none,
};

QString rawValue(DescriptionSource source);
// Exact raw value ("imported", "generated", "manual", "none").
std::optional<DescriptionSource> descriptionSourceFromRawValue(QStringView text);

inline size_t qHash(DescriptionSource source, size_t seed = 0)
{
    return ::qHash(static_cast<int>(source), seed);
}
