#pragma once

#include "model/QLabCue.h"

#include <QHashFunctions>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

// The exportable table columns, in the order every export shows them. The raw value is the case
// name.
enum class ExportColumn {
    type,
    number,
    name,
    action,
    description,
    trigger,
};

inline constexpr int exportColumnCount = 6;

const std::array<ExportColumn, exportColumnCount> &allExportColumns();

QString rawValue(ExportColumn column);
std::optional<ExportColumn> exportColumnFromRawValue(QStringView text);

// The header text in the current interface language, read when asked.
QString exportColumnTitle(ExportColumn column);
// The text of one cue's cell; "—" stands for an empty name, action, description or trigger.
QString exportColumnValue(ExportColumn column, const QLabCue &cue);

inline size_t qHash(ExportColumn column, size_t seed = 0)
{
    return ::qHash(static_cast<int>(column), seed);
}
