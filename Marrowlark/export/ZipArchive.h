#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

// One archive member: a relative path with "/" separators and its bytes.
struct ZipEntry
{
    QString path;
    QByteArray data;
};

// A ZIP archive of the entries in order, each stored uncompressed, without timestamps, extra
// fields or comments. Nothing when a field would overflow (more than 65535 entries, a path of more
// than 65535 UTF-8 bytes, a size or offset of 4 GiB or more): the format has no room for them.
std::optional<QByteArray> zipArchive(const QList<ZipEntry> &entries);

// The CRC-32 of ZIP (reflected polynomial 0xEDB88320, preset and complemented).
quint32 crc32(QByteArrayView data);
