#include "qlab/SlipDecoder.h"

#include "qlab/SlipEncoder.h"

#include <utility>

QList<QByteArray> SlipDecoder::feed(QByteArrayView chunk)
{
    QList<QByteArray> frames;
    const char *data = chunk.data();
    const qsizetype size = chunk.size();
    qsizetype i = 0;
    while (i < size) {
        if (m_escapePending) {
            m_escapePending = false;
            if (data[i] == SlipEncoder::escEnd)
                m_frame.append(SlipEncoder::end);
            else if (data[i] == SlipEncoder::escEsc)
                m_frame.append(SlipEncoder::esc);
            ++i;
            continue;
        }
        // Copy the run of ordinary bytes in one go.
        qsizetype run = i;
        while (run < size && data[run] != SlipEncoder::end && data[run] != SlipEncoder::esc)
            ++run;
        m_frame.append(data + i, run - i);
        i = run;
        if (i == size)
            break;
        if (data[i] == SlipEncoder::end) {
            if (!m_frame.isEmpty()) {
                frames.append(std::exchange(m_frame, QByteArray()));
            }
        } else {
            m_escapePending = true;
        }
        ++i;
    }
    return frames;
}

void SlipDecoder::reset()
{
    m_frame.clear();
    m_escapePending = false;
}
