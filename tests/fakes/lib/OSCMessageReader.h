#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QVariantList>

#include <optional>

// Reads one OSC 1.0 message the way QLab does: address, type tags and the arguments of the types
// the program sends (s and i); anything else is no message.
class OSCMessageReader
{
public:
    struct Message
    {
        QString address;
        QByteArray typeTags; // with its leading ","
        QVariantList arguments; // QString or qint32
    };

    static std::optional<Message> read(QByteArrayView bytes);
};
