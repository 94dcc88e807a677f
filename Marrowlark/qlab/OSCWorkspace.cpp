#include "qlab/OSCWorkspace.h"

#include <QJsonArray>
#include <QJsonObject>

std::optional<QList<OSCWorkspace>> OSCWorkspace::listFrom(const std::optional<QJsonValue> &data)
{
    if (!data || !data->isArray())
        return std::nullopt;
    QList<OSCWorkspace> workspaces;
    for (const QJsonValue &entry : data->toArray()) {
        const QJsonObject object = entry.toObject();
        const QJsonValue id = object.value(u"uniqueID");
        if (id.isString() && !id.toString().isEmpty())
            workspaces.append({ id.toString(), object.value(u"displayName").toString() });
    }
    return workspaces;
}
