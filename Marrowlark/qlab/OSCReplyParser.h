#pragma once

#include "qlab/QLabOSCResponse.h"

#include <QByteArrayView>

#include <optional>

// Reads the reply out of one decoded frame without parsing its OSC structure: the first JSON
// object in the frame's bytes, found by counting braces outside JSON strings.
class OSCReplyParser
{
public:
    // None when the frame holds no complete JSON object, or the object does not parse.
    static std::optional<QLabOSCResponse> parse(QByteArrayView frame);

    // The index just past the "}" closing the object that opens at `start` (a "{"), or -1 when
    // the bytes end first. Braces inside strings, escaped quotes included, are not counted.
    static qsizetype objectEnd(QByteArrayView bytes, qsizetype start);
};
