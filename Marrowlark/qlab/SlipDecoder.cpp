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
                append(&SlipEncoder::end, 1);
            else if (data[i] == SlipEncoder::escEsc)
                append(&SlipEncoder::esc, 1);
            ++i;
            continue;
        }
        // Copy the run of ordinary bytes in one go.
        qsizetype run = i;
        while (run < size && data[run] != SlipEncoder::end && data[run] != SlipEncoder::esc)
            ++run;
        append(data + i, run - i);
        i = run;
        if (i == size)
            break;
        if (data[i] == SlipEncoder::end) {
            if (!m_frame.isEmpty())
                frames.append(std::exchange(m_frame, QByteArray()));
            m_discarding = false;
        } else {
            m_escapePending = true;
        }
        ++i;
    }
    return frames;
}

void SlipDecoder::append(const char *data, qsizetype size)
{
    if (m_discarding)
        return;
    if (m_frame.size() + size > maximumFrameSize) {
        m_frame = QByteArray();
        m_discarding = true;
        m_overflowed = true;
        return;
    }
    m_frame.append(data, size);
}

void SlipDecoder::reset()
{
    m_frame.clear();
    m_escapePending = false;
    m_discarding = false;
    m_overflowed = false;
}
