#include "export/ExportColumn.h"

#include "model/LanguageManager.h"

namespace {

struct ExportColumnInfo
{
    ExportColumn column;
    const char16_t *rawValue;
    const char16_t *englishTitle;
    const char16_t *russianTitle;
};

constexpr std::array<ExportColumnInfo, exportColumnCount> exportColumnTable { {
    { ExportColumn::type, u"type", u"Type", u"Тип" },
    { ExportColumn::number, u"number", u"#", u"№" },
    { ExportColumn::name, u"name", u"Name", u"Имя" },
    { ExportColumn::action, u"action", u"Action", u"Действие" },
    { ExportColumn::description, u"description", u"Description", u"Описание" },
    { ExportColumn::trigger, u"trigger", u"Trigger", u"Триггер" },
} };

const ExportColumnInfo &info(ExportColumn column)
{
    return exportColumnTable[static_cast<size_t>(column)];
}

QString orPlaceholder(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("—") : text;
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
    return LanguageManager::choose(QString::fromUtf16(info(column).englishTitle),
        QString::fromUtf16(info(column).russianTitle));
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
