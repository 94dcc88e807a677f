#include "export/ZipArchive.h"

#include <QBuffer>
#include <QtEndian>

#include <array>
#include <limits>

namespace {

constexpr qint64 localHeaderSize = 30;
constexpr qint64 centralHeaderSize = 46;
constexpr quint16 version = 20;
constexpr qint64 maxCount = std::numeric_limits<quint16>::max();
constexpr qint64 maxSize = std::numeric_limits<quint32>::max();

constexpr std::array<quint32, 256> crcTable = [] {
    std::array<quint32, 256> table {};
    for (quint32 n = 0; n < 256; ++n) {
        quint32 c = n;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        table[n] = c;
    }
    return table;
}();

// Collects the little-endian fields of one record.
class RecordBuilder
{
public:
    void u16(quint16 value)
    {
        char bytes[2];
        qToLittleEndian(value, bytes);
        m_bytes.append(bytes, 2);
    }
    void u32(quint32 value)
    {
        char bytes[4];
        qToLittleEndian(value, bytes);
        m_bytes.append(bytes, 4);
    }
    void signature(quint8 third, quint8 fourth)
    {
        u32(0x4B50u | third << 16 | quint32(fourth) << 24);
    }
    // The fields that the local and the central header share, from the flags to the extra
    // field length.
    void entryFields(quint32 crc, quint32 size, qsizetype pathSize)
    {
        u16(0); // flags
        u16(0); // stored
        u16(0); // time
        u16(0); // date
        u32(crc);
        u32(size); // compressed
        u32(size);
        u16(quint16(pathSize));
        u16(0); // extra field
    }
    void append(QByteArrayView bytes) { m_bytes.append(bytes); }
    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

} // namespace

quint32 crc32(QByteArrayView data, quint32 crc)
{
    crc = ~crc;
    for (char byte : data)
        crc = crcTable[(crc ^ quint8(byte)) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

ZipWriter::ZipWriter(QIODevice &device)
    : m_device(device)
{ }

bool ZipWriter::put(QByteArrayView bytes)
{
    if (m_device.write(bytes.data(), bytes.size()) != bytes.size())
        return false;
    m_offset += bytes.size();
    return true;
}

bool ZipWriter::addEntry(const QString &path, const Producer &produce)
{
    WrittenEntry entry;
    entry.path = path.toUtf8();
    // The data must end within the format's offsets; nothing beyond that is read.
    const qint64 room = maxSize - m_offset - localHeaderSize - entry.path.size();
    qint64 size = 0;
    produce([&](QByteArrayView piece) {
        size += piece.size();
        if (size <= room)
            entry.crc = crc32(piece, entry.crc);
    });
    // The central directory's offset and size must fit as well.
    const qint64 centralSize = m_centralSize + centralHeaderSize + entry.path.size();
    m_overflowed = size > room || m_entries.size() >= maxCount || entry.path.size() > maxCount
        || centralSize > maxSize;
    if (m_overflowed)
        return false;
    entry.offset = quint32(m_offset);
    entry.size = quint32(size);

    RecordBuilder header;
    header.signature(3, 4);
    header.u16(version);
    header.entryFields(entry.crc, entry.size, entry.path.size());
    header.append(entry.path);
    bool written = put(header.bytes());
    produce([&](QByteArrayView piece) { written = written && put(piece); });
    if (!written)
        return false;
    m_centralSize = centralSize;
    m_entries.append(std::move(entry));
    return true;
}

bool ZipWriter::finish()
{
    const qint64 centralStart = m_offset;
    RecordBuilder central;
    for (const WrittenEntry &entry : std::as_const(m_entries)) {
        central.signature(1, 2);
        central.u16(version); // made by
        central.u16(version); // needed
        central.entryFields(entry.crc, entry.size, entry.path.size());
        central.u16(0); // comment
        central.u16(0); // disk
        central.u16(0); // internal attributes
        central.u32(0); // external attributes
        central.u32(entry.offset);
        central.append(entry.path);
    }
    central.signature(5, 6);
    central.u16(0); // this disk
    central.u16(0); // disk of the central directory
    central.u16(quint16(m_entries.size()));
    central.u16(quint16(m_entries.size()));
    central.u32(quint32(m_centralSize));
    central.u32(quint32(centralStart));
    central.u16(0); // comment
    return put(central.bytes());
}

std::optional<QByteArray> zipArchive(const QList<ZipEntry> &entries)
{
    QByteArray archive;
    QBuffer buffer(&archive);
    buffer.open(QIODevice::WriteOnly);
    ZipWriter writer(buffer);
    for (const ZipEntry &entry : entries) {
        const auto data = [&](const auto &sink) { sink(entry.data); };
        if (!writer.addEntry(entry.path, data))
            return std::nullopt;
    }
    if (!writer.finish())
        return std::nullopt;
    buffer.close();
    return archive;
}
