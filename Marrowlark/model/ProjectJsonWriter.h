#pragma once

#include "model/QLabProject.h"

#include <QByteArray>

#include <optional>

// Encodes a project file exactly as Foundation's JSONEncoder does with pretty printing and sorted
// keys: dates as seconds since 2001-01-01, upper-case UUIDs, absent optional texts left out.
class ProjectJsonWriter
{
public:
    // The file's bytes, or no value with errorDescription (when given) set to why in the current
    // language: a wait or date that is not a finite number cannot be written.
    static std::optional<QByteArray> write(const QLabProject &project, QString *errorDescription);
};
