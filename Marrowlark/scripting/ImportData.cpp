#include "scripting/ImportData.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// The UTF-16 unit that the escape at at spells as "\uXXXX", or none for another escape.
std::optional<char16_t> escapedUnit(QByteArrayView json, qsizetype at)
{
    if (json.size() - at < 6 || json[at + 1] != 'u')
        return std::nullopt;
    bool ok = false;
    const uint unit = json.sliced(at + 2, 4).toUInt(&ok, 16);
    return ok ? std::optional(char16_t(unit)) : std::nullopt;
}

// Whether an escape spells half a surrogate pair without the other half right beside it, which
// Qt's parser would quietly read as "?". The escapes must be well formed.
bool escapesLoneSurrogate(QByteArrayView json)
{
    qsizetype lowDueAt = -1;
    for (qsizetype at = 0; (at = json.indexOf('\\', at)) >= 0;) {
        const std::optional<char16_t> unit = escapedUnit(json, at);
        const bool low = unit && QChar::isLowSurrogate(*unit);
        const bool lowDue = lowDueAt >= 0;
        if (low != lowDue || (lowDue && at != lowDueAt))
            return true;
        lowDueAt = unit && QChar::isHighSurrogate(*unit) ? at + 6 : -1;
        at += unit ? 6 : 2;
    }
    return lowDueAt >= 0;
}

} // namespace

std::optional<ImportData> ImportData::fromJson(const QByteArray &json)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()
        || escapesLoneSurrogate(json))
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
