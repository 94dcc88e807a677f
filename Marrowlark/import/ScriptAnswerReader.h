#pragma once

#include "model/JsonObjectReader.h"

#include <QByteArray>
#include <QJsonDocument>

// Strict reading of the JSON texts our AppleScripts answer with. Throws JsonCodingError.
class ScriptAnswerReader
{
public:
    static QJsonDocument document(const QByteArray &json);
    // A count: a JSON number without a fraction, within int.
    static int count(const JsonObjectReader &reader, QLatin1String key);
};
