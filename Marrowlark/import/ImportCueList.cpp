#include "import/ImportCueList.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

std::optional<ImportCueList> fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return std::nullopt;
}

// A JSON string literal, escaped as the JSON writer escapes it.
QByteArray jsonString(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray { text }).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

} // namespace

std::optional<ImportCueList> ImportCueList::fromJson(const QJsonValue &value, QString *error)
{
    if (!value.isObject())
        return fail(error, QStringLiteral("cue list is not a JSON object"));
    const QJsonObject object = value.toObject();
    const QJsonValue name = object.value(QLatin1String("name"));
    if (!name.isString())
        return fail(error, QStringLiteral("cue list \"name\" is missing or not a text"));
    const QJsonValue cues = object.value(QLatin1String("cues"));
    if (!cues.isArray())
        return fail(error, QStringLiteral("cue list \"cues\" is missing or not an array"));

    ImportCueList list;
    list.name = name.toString();
    const QJsonArray rows = cues.toArray();
    list.cues.reserve(rows.size());
    for (const QJsonValue &rowValue : rows) {
        if (!rowValue.isArray())
            return fail(error, QStringLiteral("cue row is not an array"));
        const QJsonArray cells = rowValue.toArray();
        QStringList row;
        row.reserve(cells.size());
        for (const QJsonValue &cell : cells) {
            if (!cell.isString())
                return fail(error, QStringLiteral("cue row holds a value that is not a text"));
            row.append(cell.toString());
        }
        list.cues.append(std::move(row));
    }
    return list;
}

std::optional<ImportCueList> ImportCueList::fromJson(const QByteArray &json, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return fail(error, parseError.errorString());
    return fromJson(document.isObject() ? QJsonValue(document.object()) : QJsonValue(), error);
}

QByteArray ImportCueList::toJson() const
{
    QByteArray json = "{\"name\":" + jsonString(name) + ",\"cues\":[";
    for (qsizetype r = 0; r < cues.size(); ++r) {
        if (r > 0)
            json += ',';
        json += QJsonDocument(QJsonArray::fromStringList(cues[r])).toJson(QJsonDocument::Compact);
    }
    return json + "]}";
}
