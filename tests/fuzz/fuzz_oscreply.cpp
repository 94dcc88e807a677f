// Feeds arbitrary bytes through the SLIP decoder (in chunks whose sizes the input chooses) and
// every decoded frame through the reply parser; also checks that encoding and decoding give the
// input back.
#include "qlab/OSCReplyParser.h"
#include "qlab/SlipDecoder.h"
#include "qlab/SlipEncoder.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    SlipDecoder decoder;
    qsizetype offset = 0;
    qsizetype step = size > 0 ? 1 + data[0] % 17 : 1;
    while (offset < bytes.size()) {
        const qsizetype length = std::min(step, bytes.size() - offset);
        for (const QByteArray &frame : decoder.feed(bytes.sliced(offset, length))) {
            if (frame.isEmpty())
                std::abort();
            OSCReplyParser::parse(frame);
        }
        offset += length;
        step = 1 + (step * 7 + 3) % 23;
    }

    OSCReplyParser::parse(bytes);
    const qsizetype start = bytes.indexOf('{');
    if (start >= 0) {
        const qsizetype end = OSCReplyParser::objectEnd(bytes, start);
        if (end != -1 && (end <= start || end > bytes.size() || bytes[end - 1] != '}'))
            std::abort();
    }

    if (!bytes.isEmpty()) {
        SlipDecoder roundTrip;
        const QList<QByteArray> frames = roundTrip.feed(SlipEncoder::encode(bytes));
        if (frames.size() != 1 || frames.first() != bytes || roundTrip.pendingSize() != 0)
            std::abort();
    }
    return 0;
}
