#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// Turns a TCP byte stream back into SLIP frames. Each byte is looked at once: the decoder keeps
// the decoded part of an unfinished frame and whether an ESC byte is waiting for its partner, so
// a frame that arrives in many chunks costs no rescanning.
class SlipDecoder
{
public:
    // Decodes one chunk and returns the frames it completed, in order. Empty frames are skipped;
    // an ESC followed by anything but ESC_END or ESC_ESC is dropped with that byte.
    QList<QByteArray> feed(QByteArrayView chunk);

    // Forgets the unfinished frame (a new connection starts clean).
    void reset();

    qsizetype pendingSize() const { return m_frame.size(); }

private:
    QByteArray m_frame;
    bool m_escapePending = false;
};
