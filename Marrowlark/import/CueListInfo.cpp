#include "import/CueListInfo.h"

#include "import/ScriptAnswerReader.h"
#include "model/JsonCodingError.h"

using namespace Qt::StringLiterals;

QList<CueListInfo> CueListInfo::listFromJson(const QByteArray &json)
{
    const QJsonDocument document = ScriptAnswerReader::document(json);
    const JsonPath top;
    if (!document.isArray())
        throw JsonCodingError::wrongType(top, u"cueLists"_s, JsonCodingError::Expected::array);
    const QJsonArray array = document.array();
    QList<CueListInfo> entries;
    for (qsizetype i = 0; i < array.size(); ++i) {
        const JsonPath path = top.element(QLatin1String("cueLists"), i);
        const JsonObjectReader reader = JsonObjectReader::element(array, path);
        entries << CueListInfo { reader.string(QLatin1String("id")),
            reader.string(QLatin1String("name")),
            ScriptAnswerReader::count(reader, QLatin1String("cueCount")), true };
    }
    return entries;
}
