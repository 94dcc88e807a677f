#include "qlab/SlipEncoder.h"

QByteArray SlipEncoder::encode(QByteArrayView message)
{
    QByteArray frame;
    frame.reserve(message.size() + message.size() / 16 + 2);
    frame.append(end);
    const char *data = message.data();
    const qsizetype size = message.size();
    qsizetype i = 0;
    while (i < size) {
        // Copy the run of ordinary bytes in one go.
        qsizetype run = i;
        while (run < size && data[run] != end && data[run] != esc)
            ++run;
        frame.append(data + i, run - i);
        if (run == size)
            break;
        frame.append(esc).append(data[run] == end ? escEnd : escEsc);
        i = run + 1;
    }
    frame.append(end);
    return frame;
}
