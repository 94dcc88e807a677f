#include "import/CheckQLabResult.h"

#include "import/JsonField.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

std::optional<CheckQLabResult> CheckQLabResult::fromJson(const QByteArray &json, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (!document.isObject()) {
        *error = document.isNull() ? parseError.errorString() : u"not an object"_s;
        return std::nullopt;
    }
    const QJsonObject object = document.object();
    const auto running = JsonField::flag(object, u"running", error);
    const auto count = JsonField::integer(object, u"workspaceCount", error);
    if (!running || !count)
        return std::nullopt;
    const QJsonValue names = object.value(u"workspaceNames");
    CheckQLabResult result { *running, *count, {} };
    bool allTexts = names.isArray();
    for (const QJsonValue &name : names.toArray()) {
        allTexts = allTexts && name.isString();
        result.workspaceNames << name.toString();
    }
    if (!allTexts) {
        *error = u"\"workspaceNames\" is missing or not an array of texts"_s;
        return std::nullopt;
    }
    return result;
}
