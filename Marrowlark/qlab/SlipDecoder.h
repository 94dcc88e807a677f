#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// Turns a TCP byte stream back into SLIP frames. Each byte is looked at once: the decoder keeps
// the decoded part of an unfinished frame and whether an ESC byte is waiting for its partner, so
// a frame that arrives in many chunks costs no rescanning. A frame may not grow past
// maximumFrameSize: a peer that never ends one would otherwise fill the memory. Such a frame is
// dropped up to its END byte and the decoder remembers the overflow.
class SlipDecoder
{
public:
    // Far beyond the "/cueLists" reply of the largest workspace (a few megabytes).
    static constexpr qsizetype maximumFrameSize = qsizetype(64) * 1024 * 1024;

    // Decodes one chunk and returns the frames it completed, in order. Empty frames are skipped;
    // an ESC followed by anything but ESC_END or ESC_ESC is dropped with that byte.
    QList<QByteArray> feed(QByteArrayView chunk);

    // Forgets the unfinished frame and any overflow (a new connection starts clean).
    void reset();

    qsizetype pendingSize() const { return m_frame.size(); }
    // Whether a frame was dropped for its size since the last reset.
    bool hasOverflowed() const { return m_overflowed; }

private:
    void append(const char *data, qsizetype size);

    QByteArray m_frame;
    bool m_escapePending = false;
    bool m_discarding = false; // inside a frame that grew too large
    bool m_overflowed = false;
};
