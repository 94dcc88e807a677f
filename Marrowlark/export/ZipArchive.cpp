#include "export/ZipArchive.h"

#include <QtEndian>

#include <array>
#include <limits>

namespace {

constexpr qint64 localHeaderSize = 30;
constexpr qint64 centralHeaderSize = 46;
constexpr qint64 endRecordSize = 22;
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

struct PlannedEntry
{
    QByteArray path;
    quint32 offset = 0;
    quint32 size = 0;
    quint32 crc = 0;
};

// Writes the little-endian fields of the archive's records.
class ZipRecordWriter
{
public:
    explicit ZipRecordWriter(QByteArray &buffer)
        : m_buffer(buffer)
    { }

    void u16(quint16 value)
    {
        char bytes[2];
        qToLittleEndian(value, bytes);
        m_buffer.append(bytes, 2);
    }
    void u32(quint32 value)
    {
        char bytes[4];
        qToLittleEndian(value, bytes);
        m_buffer.append(bytes, 4);
    }
    void signature(quint8 third, quint8 fourth)
    {
        u32(0x4B50u | third << 16 | quint32(fourth) << 24);
    }
    // The fields that the local and the central header share, from the flags to the extra
    // field length.
    void entryFields(const PlannedEntry &entry)
    {
        u16(0); // flags
        u16(0); // stored
        u16(0); // time
        u16(0); // date
        u32(entry.crc);
        u32(entry.size); // compressed
        u32(entry.size);
        u16(quint16(entry.path.size()));
        u16(0); // extra field
    }

private:
    QByteArray &m_buffer;
};

} // namespace

quint32 crc32(QByteArrayView data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char byte : data)
        crc = crcTable[(crc ^ quint8(byte)) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::optional<QByteArray> zipArchive(const QList<ZipEntry> &entries)
{
    if (entries.size() > maxCount)
        return std::nullopt;

    // Every field is checked before any byte is read or written.
    QList<PlannedEntry> planned;
    planned.reserve(entries.size());
    qint64 localSize = 0;
    qint64 centralSize = 0;
    for (const ZipEntry &entry : entries) {
        PlannedEntry plan;
        plan.path = entry.path.toUtf8();
        if (plan.path.size() > maxCount || entry.data.size() > maxSize || localSize > maxSize)
            return std::nullopt;
        plan.offset = quint32(localSize);
        plan.size = quint32(entry.data.size());
        localSize += localHeaderSize + plan.path.size() + entry.data.size();
        centralSize += centralHeaderSize + plan.path.size();
        planned.append(plan);
    }
    if (localSize > maxSize || centralSize > maxSize)
        return std::nullopt;

    QByteArray archive;
    archive.reserve(localSize + centralSize + endRecordSize);
    ZipRecordWriter out(archive);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        PlannedEntry &plan = planned[i];
        plan.crc = crc32(entries[i].data);
        out.signature(3, 4);
        out.u16(version);
        out.entryFields(plan);
        archive.append(plan.path);
        archive.append(entries[i].data);
    }
    for (const PlannedEntry &plan : planned) {
        out.signature(1, 2);
        out.u16(version); // made by
        out.u16(version); // needed
        out.entryFields(plan);
        out.u16(0); // comment
        out.u16(0); // disk
        out.u16(0); // internal attributes
        out.u32(0); // external attributes
        out.u32(plan.offset);
        archive.append(plan.path);
    }
    out.signature(5, 6);
    out.u16(0); // this disk
    out.u16(0); // disk of the central directory
    out.u16(quint16(entries.size()));
    out.u16(quint16(entries.size()));
    out.u32(quint32(centralSize));
    out.u32(quint32(localSize));
    out.u16(0); // comment
    return archive;
}
