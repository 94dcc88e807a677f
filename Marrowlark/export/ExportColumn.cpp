#include "export/ExportColumn.h"

#include "model/AppText.h"

namespace {

struct ExportColumnInfo
{
    ExportColumn column;
    const char16_t *rawValue;
    QString (*title)();
    double spreadsheetWidth;
    double pdfWeight;
};

constexpr std::array<ExportColumnInfo, exportColumnCount> exportColumnTable { {
    { ExportColumn::type, u"type", &AppText::exportColumnType, 14, 100 },
    { ExportColumn::number, u"number", &AppText::exportColumnNumber, 10, 60 },
    { ExportColumn::name, u"name", &AppText::exportColumnName, 28, 180 },
    { ExportColumn::action, u"action", &AppText::exportColumnAction, 45, 300 },
    { ExportColumn::description, u"description", &AppText::exportColumnDescription, 35, 220 },
    { ExportColumn::trigger, u"trigger", &AppText::exportColumnTrigger, 20, 140 },
} };

const ExportColumnInfo &info(ExportColumn column)
{
    return exportColumnTable[static_cast<size_t>(column)];
}

QString orPlaceholder(const QString &text)
{
    return text.isEmpty() ? emptyCellPlaceholder() : text;
}

} // namespace

const std::array<ExportColumn, exportColumnCount> &allExportColumns()
{
    static const std::array<ExportColumn, exportColumnCount> columns = [] {
        std::array<ExportColumn, exportColumnCount> result {};
        for (size_t i = 0; i < exportColumnTable.size(); ++i)
            result[i] = exportColumnTable[i].column;
        return result;
    }();
    return columns;
}

QString rawValue(ExportColumn column)
{
    return QString::fromUtf16(info(column).rawValue);
}

std::optional<ExportColumn> exportColumnFromRawValue(QStringView text)
{
    for (const ExportColumnInfo &entry : exportColumnTable) {
        if (text == QStringView(entry.rawValue))
            return entry.column;
    }
    return std::nullopt;
}

QString exportColumnTitle(ExportColumn column)
{
    return info(column).title();
}

double spreadsheetColumnWidth(ExportColumn column)
{
    return info(column).spreadsheetWidth;
}

double pdfColumnWeight(ExportColumn column)
{
    return info(column).pdfWeight;
}

QString emptyCellPlaceholder()
{
    return QStringLiteral("—");
}

QString exportColumnValue(ExportColumn column, const QLabCue &cue)
{
    switch (column) {
    case ExportColumn::type:
        return cue.fullTypeName ? *cue.fullTypeName : rawValue(cue.type);
    case ExportColumn::number:
        return cue.number;
    case ExportColumn::name:
        return orPlaceholder(cue.name);
    case ExportColumn::action:
        return orPlaceholder(cue.action);
    case ExportColumn::description:
        return orPlaceholder(cue.notes);
    case ExportColumn::trigger:
        return orPlaceholder(cue.trigger);
    }
    return {};
}
