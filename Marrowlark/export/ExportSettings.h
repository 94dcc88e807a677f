#pragma once

#include "export/ExportColumn.h"
#include "export/ExportFormat.h"

#include <QList>
#include <QSet>

// What one export writes. Only the column choice is remembered between runs.
struct ExportSettings
{
    ExportFormat format = ExportFormat::pdf;
    QSet<ExportColumn> selectedColumns = allColumnsSet();
    bool preserveColors = true;
    bool addVersionInfo = true;
    bool splitCueLists = true;

    // The defaults with the column choice stored under "exportSelectedColumns" applied.
    static ExportSettings fromUserDefaults();
    // Stores the column choice as a list of raw values.
    static void storeSelectedColumns(const QSet<ExportColumn> &columns);

    // The selected columns in export order; every export reads the columns through this.
    QList<ExportColumn> orderedColumns() const;

    friend bool operator==(const ExportSettings &, const ExportSettings &) = default;

private:
    static QSet<ExportColumn> allColumnsSet();
};
