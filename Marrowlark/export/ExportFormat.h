#pragma once

#include <QString>

#include <array>

// The export formats; the raw value is also the name the settings dialog shows.
enum class ExportFormat {
    pdf,
    excel,
};

const std::array<ExportFormat, 2> &allExportFormats();

QString rawValue(ExportFormat format);
