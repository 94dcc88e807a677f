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

QByteArray OSCMessage::encoded() const
{
    return encodeString(m_address.toUtf8()) + encodeString(m_typeTags) + m_arguments;
}

QByteArray OSCMessage::encodeString(QByteArrayView bytes)
{
    QByteArray out(bytes.data(), bytes.size());
    out.append(4 - bytes.size() % 4, '\0');
    return out;
}
