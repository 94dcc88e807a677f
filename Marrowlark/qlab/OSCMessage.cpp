#include "qlab/OSCMessage.h"

#include <QtEndian>

OSCMessage::OSCMessage(const QString &address)
    : m_address(address)
{ }

OSCMessage &OSCMessage::addString(const QString &text)
{
    // A zero byte would end the OSC string early and shift every byte after it.
    QString terminated = text;
    terminated.remove(QChar(u'\0'));
    m_typeTags.append('s');
    m_arguments.append(encodeString(terminated.toUtf8()));
    return *this;
}

OSCMessage &OSCMessage::addInt32(qint32 value)
{
    m_typeTags.append('i');
    char bytes[4];
    qToBigEndian(value, bytes);
    m_arguments.append(bytes, 4);
    return *this;
}

OSCMessage OSCMessage::prefixed(const QString &prefix) const
{
    OSCMessage message(*this);
    message.m_address.prepend(prefix);
    return message;
}

namespace {

void appendString(QByteArray &out, QByteArrayView bytes)
{
    out.append(bytes).append(4 - bytes.size() % 4, '\0');
}

} // namespace

QByteArray OSCMessage::encoded() const
{
    const QByteArray address = m_address.toUtf8();
    QByteArray out;
    out.reserve(address.size() + m_typeTags.size() + m_arguments.size() + 8);
    appendString(out, address);
    appendString(out, m_typeTags);
    out.append(m_arguments);
    return out;
}

QByteArray OSCMessage::encodeString(QByteArrayView bytes)
{
    QByteArray out;
    out.reserve(bytes.size() + 4);
    appendString(out, bytes);
    return out;
}
