#include "export/ZipArchive.h"

#include <QTest>

using Entries = QList<ZipEntry>;

class TestZipArchive : public QObject
{
    Q_OBJECT

private slots:
    void crc_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<quint32>("crc");
        QTest::newRow("check value") << QByteArray("123456789") << 0xCBF43926u;
        QTest::newRow("empty") << QByteArray() << 0u;
    }
    void crc()
    {
        QFETCH(QByteArray, data);
        QFETCH(quint32, crc);
        QCOMPARE(crc32(data), crc);
    }

    void limits_data()
    {
        static const char byte = 0;
        // Large entries point at one byte: the limits are checked before any data is read.
        const auto huge = [](qint64 size) { return QByteArray::fromRawData(&byte, size); };
        constexpr qint64 fourGiB = qint64(1) << 32;
        QTest::addColumn<Entries>("entries");
        QTest::addColumn<bool>("fits");

        Entries most;
        for (int i = 0; i < 65535; ++i)
            most.append({ QString::number(i), QByteArray() });
        QTest::newRow("65535 entries") << most << true;
        Entries tooMany = most;
        tooMany.append({ u"one more"_qs, QByteArray() });
        QTest::newRow("65536 entries") << tooMany << false;

        QTest::newRow("path of 65535 bytes") << Entries { { QString(65535, u'p'), {} } } << true;
        QTest::newRow("path of 65536 bytes") << Entries { { QString(65536, u'p'), {} } } << false;
        QTest::newRow("path of 65536 UTF-8 bytes")
            << Entries { { QString(32768, u'ж'), {} } } << false;
        QTest::newRow("entry of 4 GiB") << Entries { { u"big"_qs, huge(fourGiB) } } << false;
        QTest::newRow("local header beyond 4 GiB")
            << Entries { { u"a"_qs, huge(fourGiB - 20) }, { u"b"_qs, QByteArray() } } << false;
        QTest::newRow("central directory beyond 4 GiB")
            << Entries { { u"a"_qs, huge(fourGiB - 31) } } << false;
    }
    void limits()
    {
        QFETCH(Entries, entries);
        QFETCH(bool, fits);
        const auto archive = zipArchive(entries);
        QCOMPARE(archive.has_value(), fits);
    }
};

QTEST_GUILESS_MAIN(TestZipArchive)
#include "tst_ziparchive.moc"
