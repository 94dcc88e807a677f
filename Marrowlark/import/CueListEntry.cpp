#include "import/CueListEntry.h"

#include "import/JsonField.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

std::optional<QList<CueListEntry>> CueListEntry::listFromJson(
    const QByteArray &json, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (!document.isArray()) {
        *error = document.isNull() ? parseError.errorString() : u"not an array"_s;
        return std::nullopt;
    }
    QList<CueListEntry> entries;
    for (const QJsonValue &value : document.array()) {
        if (!value.isObject()) {
            *error = u"an entry is not an object"_s;
            return std::nullopt;
        }
        const QJsonObject object = value.toObject();
        const auto id = JsonField::text(object, u"id", error);
        const auto name = JsonField::text(object, u"name", error);
        const auto cueCount = JsonField::integer(object, u"cueCount", error);
        if (!id || !name || !cueCount)
            return std::nullopt;
        entries << CueListEntry { *id, *name, *cueCount };
    }
    return entries;
}
