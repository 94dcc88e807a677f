#pragma once

#include <QByteArray>
#include <QByteArrayView>

// SLIP framing (RFC 1055) as QLab speaks it over TCP: an END byte before and after every message.
class SlipEncoder
{
public:
    static constexpr char end = char(0xC0);
    static constexpr char esc = char(0xDB);
    static constexpr char escEnd = char(0xDC);
    static constexpr char escEsc = char(0xDD);

    static QByteArray encode(QByteArrayView message);
};
