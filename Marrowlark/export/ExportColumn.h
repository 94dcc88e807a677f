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
// The text of one cue's cell; the placeholder stands for an empty name, action, description or
// trigger.
QString exportColumnValue(ExportColumn column, const QLabCue &cue);
// The worksheet column's width in character units.
double spreadsheetColumnWidth(ExportColumn column);
// The column's share of the PDF table's width, relative to the other exported columns.
double pdfColumnWeight(ExportColumn column);
// "—", shown in every export for an empty cell text.
QString emptyCellPlaceholder();

inline size_t qHash(ExportColumn column, size_t seed = 0)
{
    return ::qHash(static_cast<int>(column), seed);
}
