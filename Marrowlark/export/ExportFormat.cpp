#include "export/ExportFormat.h"

const std::array<ExportFormat, 2> &allExportFormats()
{
    static constexpr std::array<ExportFormat, 2> formats { ExportFormat::pdf, ExportFormat::excel };
    return formats;
}

QString rawValue(ExportFormat format)
{
    switch (format) {
    case ExportFormat::pdf:
        return QStringLiteral("PDF");
    case ExportFormat::excel:
        return QStringLiteral("Excel (.xlsx)");
    }
    return {};
}
