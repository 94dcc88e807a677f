#include "export/ExportSettings.h"

#include <QSettings>
#include <QStringList>

namespace {

const QString selectedColumnsKey = QStringLiteral("exportSelectedColumns");

} // namespace

QSet<ExportColumn> ExportSettings::allColumnsSet()
{
    const auto &all = allExportColumns();
    return QSet<ExportColumn>(all.begin(), all.end());
}

ExportSettings ExportSettings::fromUserDefaults()
{
    ExportSettings settings;
    const QVariant stored = QSettings().value(selectedColumnsKey);
    QVariantList elements;
    switch (stored.typeId()) {
    case QMetaType::QStringList:
    case QMetaType::QVariantList:
        elements = stored.toList();
        break;
    case QMetaType::QString:
        // The settings file keeps no types: a list of one text reads back as that text.
        elements = { stored };
        break;
    default:
        return settings;
    }
    QSet<ExportColumn> columns;
    for (const QVariant &element : elements) {
        if (element.typeId() != QMetaType::QString)
            return settings;
        if (const auto column = exportColumnFromRawValue(element.toString()))
            columns.insert(*column);
    }
    if (!columns.isEmpty())
        settings.selectedColumns = columns;
    return settings;
}

void ExportSettings::storeSelectedColumns(const QSet<ExportColumn> &columns)
{
    QStringList rawValues;
    for (ExportColumn column : allExportColumns()) {
        if (columns.contains(column))
            rawValues.append(rawValue(column));
    }
    QSettings().setValue(selectedColumnsKey, rawValues);
}

QList<ExportColumn> ExportSettings::orderedColumns() const
{
    QList<ExportColumn> columns;
    for (ExportColumn column : allExportColumns()) {
        if (selectedColumns.contains(column))
            columns.append(column);
    }
    return columns;
}
