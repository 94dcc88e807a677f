#include "import/CheckQLabResult.h"

#include "import/ScriptAnswerReader.h"
#include "model/JsonCodingError.h"
#include "model/JsonObjectReader.h"

using namespace Qt::StringLiterals;

CheckQLabResult CheckQLabResult::fromJson(const QByteArray &json)
{
    const QJsonDocument document = ScriptAnswerReader::document(json);
    const JsonPath top;
    if (!document.isObject())
        throw JsonCodingError::wrongType(top, u"checkQLab"_s, JsonCodingError::Expected::object);
    const JsonObjectReader reader(document.object(), top);
    CheckQLabResult result { reader.boolean(QLatin1String("running")),
        ScriptAnswerReader::count(reader, QLatin1String("workspaceCount")), {} };
    // Every counted workspace is offered, named or not: no count beyond a person's reach.
    if (result.workspaceCount < 0 || result.workspaceCount > maximumWorkspaceCount)
        throw JsonCodingError::wrongType(
            top, u"workspaceCount"_s, JsonCodingError::Expected::number);
    const QJsonArray names = reader.array(QLatin1String("workspaceNames"));
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (!names.at(i).isString())
            throw JsonCodingError::wrongType(top, u"workspaceNames["_s + QString::number(i) + u']',
                JsonCodingError::Expected::text);
        result.workspaceNames << names.at(i).toString();
    }
    return result;
}
