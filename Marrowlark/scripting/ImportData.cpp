#include "scripting/ImportData.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

std::optional<ImportData> ImportData::fromJson(const QByteArray &json)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const QJsonValue workspaceName = object.value(QLatin1String("workspaceName"));
    const QJsonValue cueLists = object.value(QLatin1String("cueLists"));
    if (!workspaceName.isString() || !cueLists.isArray())
        return std::nullopt;

    ImportData data;
    data.workspaceName = workspaceName.toString();
    const QJsonArray lists = cueLists.toArray();
    data.cueLists.reserve(lists.size());
    for (const QJsonValue &value : lists) {
        std::optional<ImportCueList> list = ImportCueList::fromJson(value);
        if (!list)
            return std::nullopt;
        data.cueLists.append(std::move(*list));
    }
    return data;
}
