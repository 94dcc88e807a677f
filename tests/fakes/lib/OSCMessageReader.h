#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QVariantList>

#include <optional>

// Reads one OSC 1.0 message the way QLab does: address, type tags and the arguments of the
// types a client sends to QLab (s, i, f, T, F, N).
class OSCMessageReader
{
public:
    struct Message
    {
        QString address;
        QByteArray typeTags; // with its leading ","
        QVariantList arguments; // QString, qint32, float, bool, or a null QVariant for N
    };

    // None when the bytes are not a well-formed message of those types.
    static std::optional<Message> read(QByteArrayView bytes);
};
