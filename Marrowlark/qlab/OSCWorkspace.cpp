#include "qlab/OSCWorkspace.h"

#include "qlab/OSCCueAddress.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

QStringView withoutExtension(QStringView name)
{
    for (QStringView extension : { u".qlab5", u".qlab4" }) {
        if (name.endsWith(extension, Qt::CaseInsensitive))
            return name.chopped(extension.size());
    }
    return name;
}

} // namespace

std::optional<QList<OSCWorkspace>> OSCWorkspace::listFrom(const std::optional<QJsonValue> &data)
{
    if (!data || !data->isArray())
        return std::nullopt;
    QList<OSCWorkspace> workspaces;
    for (const QJsonValue &entry : data->toArray()) {
        const QJsonObject object = entry.toObject();
        // An ID that is no address segment would reach other workspaces, or none: such a
        // workspace cannot be spoken to alone.
        const QJsonValue id = object.value(u"uniqueID");
        if (id.isString() && OSCCueAddress::isSendable(id.toString()))
            workspaces.append({ id.toString(), object.value(u"displayName").toString() });
    }
    return workspaces;
}

bool OSCWorkspace::isNamed(QStringView name) const
{
    return sameName(displayName, name);
}

bool OSCWorkspace::sameName(QStringView one, QStringView other)
{
    return withoutExtension(one) == withoutExtension(other);
}
