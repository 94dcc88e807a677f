#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

class QIODevice;

// One archive member: a relative path with "/" separators and its bytes.
struct ZipEntry
{
    QString path;
    QByteArray data;
};

// Writes a ZIP archive to a device one entry at a time, each stored uncompressed, without
// timestamps, extra fields or comments; the central directory follows in finish(). An entry is
// refused when a field would overflow (more than 65535 entries, a path of more than 65535 UTF-8
// bytes, a size or offset of 4 GiB or more): the format has no room for them.
class ZipWriter
{
public:
    explicit ZipWriter(QIODevice &device);

    // Hands the entry's data to a sink, piece by piece.
    using Producer = std::function<void(const std::function<void(QByteArrayView)> &sink)>;

    // The entry's data is what produce hands over, in order. The header before the data holds the
    // data's size and CRC, so produce runs twice, first to measure, then to write, and must hand
    // over the same bytes both times: no whole entry needs to be in memory. False when a field
    // would overflow or the device takes fewer bytes; the archive is then unusable.
    bool addEntry(const QString &path, const Producer &produce);
    bool finish();
    // Whether the last refusal was for a field that would overflow, not for the device.
    bool overflowed() const { return m_overflowed; }

private:
    struct WrittenEntry
    {
        QByteArray path;
        quint32 offset = 0;
        quint32 size = 0;
        quint32 crc = 0;
    };

    bool put(QByteArrayView bytes);

    QIODevice &m_device;
    QList<WrittenEntry> m_entries;
    qint64 m_offset = 0;
    qint64 m_centralSize = 0;
    bool m_overflowed = false;
};

// The archive of the entries in order; nothing when a field would overflow.
std::optional<QByteArray> zipArchive(const QList<ZipEntry> &entries);

// The CRC-32 of ZIP (reflected polynomial 0xEDB88320, preset and complemented); crc continues an
// earlier result over the next bytes.
quint32 crc32(QByteArrayView data, quint32 crc = 0);
