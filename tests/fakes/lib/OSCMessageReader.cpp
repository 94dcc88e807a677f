#include "OSCMessageReader.h"

#include <QtEndian>

namespace {

// Reads an OSC string at *offset and moves past its padding.
std::optional<QByteArray> readString(QByteArrayView bytes, qsizetype *offset)
{
    const qsizetype end = bytes.indexOf('\0', *offset);
    if (end < 0)
        return std::nullopt;
    QByteArray text = bytes.sliced(*offset, end - *offset).toByteArray();
    const qsizetype padded = (end / 4 + 1) * 4;
    if (padded > bytes.size())
        return std::nullopt;
    *offset = padded;
    return text;
}

std::optional<qint32> readInt32(QByteArrayView bytes, qsizetype *offset)
{
    if (*offset + 4 > bytes.size())
        return std::nullopt;
    const qint32 value = qFromBigEndian<qint32>(bytes.data() + *offset);
    *offset += 4;
    return value;
}

} // namespace

std::optional<OSCMessageReader::Message> OSCMessageReader::read(QByteArrayView bytes)
{
    qsizetype offset = 0;
    const auto address = readString(bytes, &offset);
    if (!address || !address->startsWith('/'))
        return std::nullopt;
    Message message;
    message.address = QString::fromUtf8(*address);
    message.typeTags = QByteArrayLiteral(",");
    if (offset == bytes.size())
        return message; // OSC 1.0 allows a message without type tags
    const auto tags = readString(bytes, &offset);
    if (!tags || !tags->startsWith(','))
        return std::nullopt;
    message.typeTags = *tags;
    for (qsizetype i = 1; i < tags->size(); ++i) {
        switch (tags->at(i)) {
        case 's': {
            const auto text = readString(bytes, &offset);
            if (!text)
                return std::nullopt;
            message.arguments.append(QString::fromUtf8(*text));
            break;
        }
        case 'i': {
            const auto value = readInt32(bytes, &offset);
            if (!value)
                return std::nullopt;
            message.arguments.append(*value);
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return message;
}
