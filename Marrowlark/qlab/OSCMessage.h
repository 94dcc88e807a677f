#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// One outgoing OSC 1.0 message: an address and text or 32-bit integer arguments. The type-tag
// string follows from the arguments added ("," without any, ",s" for one text, ",i" for one int).
class OSCMessage
{
public:
    explicit OSCMessage(const QString &address);

    // U+0000 cannot be part of an OSC string and is left out.
    OSCMessage &addString(const QString &text);
    OSCMessage &addInt32(qint32 value);

    const QString &address() const { return m_address; }
    // The same message with prefix put in front of its address.
    OSCMessage prefixed(const QString &prefix) const;
    const QByteArray &typeTags() const { return m_typeTags; }
    QByteArray encoded() const;

    // The OSC string rule: the bytes, then 1 to 4 zero bytes up to a multiple of four.
    static QByteArray encodeString(QByteArrayView bytes);

private:
    QString m_address;
    QByteArray m_typeTags = QByteArrayLiteral(",");
    QByteArray m_arguments;
};
