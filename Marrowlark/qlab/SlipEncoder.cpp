#include "qlab/SlipEncoder.h"

QByteArray SlipEncoder::encode(QByteArrayView message)
{
    QByteArray frame;
    frame.reserve(message.size() + message.size() / 16 + 2);
    frame.append(end);
    for (char byte : message) {
        if (byte == end) {
            frame.append(esc).append(escEnd);
        } else if (byte == esc) {
            frame.append(esc).append(escEsc);
        } else {
            frame.append(byte);
        }
    }
    frame.append(end);
    return frame;
}
