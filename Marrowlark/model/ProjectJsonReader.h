#pragma once

#include "model/QLabProject.h"

#include <QByteArray>

#include <optional>

// Decodes a project file. Every required key must be present with its JSON type; the three
// optional texts may be missing or null; unknown keys are ignored; an unknown cue type or
// description source, a non-finite number or a malformed UUID fails the whole project. An id that
// a list or cue repeats from one before it is replaced with a fresh one.
class ProjectJsonReader
{
public:
    // Capacity beyond the data's size with which data is read without a copy.
    static constexpr qsizetype spareCapacity = 64;

    // The project, or no value with errorDescription (when given) set to why, in the current
    // language.
    static std::optional<QLabProject> read(const QByteArray &data, QString *errorDescription);
};
