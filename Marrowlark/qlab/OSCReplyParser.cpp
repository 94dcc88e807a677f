#include "qlab/OSCReplyParser.h"

#include <QJsonDocument>
#include <QJsonObject>

std::optional<QLabOSCResponse> OSCReplyParser::parse(QByteArrayView frame)
{
    const qsizetype start = frame.indexOf('{');
    if (start < 0)
        return std::nullopt;
    const qsizetype end = objectEnd(frame, start);
    if (end < 0)
        return std::nullopt;

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray::fromRawData(frame.data() + start, end - start), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;

    const QJsonObject object = document.object();
    QLabOSCResponse response;
    if (const QJsonValue status = object.value(u"status"); status.isString())
        response.status = status.toString();
    if (const QJsonValue address = object.value(u"address"); address.isString())
        response.address = address.toString();
    if (const QJsonValue workspace = object.value(u"workspace_id"); workspace.isString())
        response.workspaceID = workspace.toString();
    if (const auto data = object.constFind(u"data"); data != object.constEnd())
        response.payload = data.value();
    return response;
}

qsizetype OSCReplyParser::objectEnd(QByteArrayView bytes, qsizetype start)
{
    qsizetype depth = 0;
    bool inString = false;
    for (qsizetype i = start; i < bytes.size(); ++i) {
        const char byte = bytes[i];
        if (inString) {
            if (byte == '\\')
                ++i; // the escaped byte cannot end the string
            else if (byte == '"')
                inString = false;
        } else if (byte == '"') {
            inString = true;
        } else if (byte == '{') {
            ++depth;
        } else if (byte == '}' && --depth == 0) {
            return i + 1;
        }
    }
    return -1;
}
