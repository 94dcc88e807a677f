#include "TestSupport.h"
#include "export/ZipArchive.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using Entries = QList<ZipEntry>;

namespace {

// Runs a reader we did not write; returns its standard output, failing the test on an error.
QByteArray run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        qWarning().noquote() << program << arguments << process.readAllStandardError()
                             << process.readAllStandardOutput();
        return QByteArray("failed");
    }
    return process.readAllStandardOutput();
}

} // namespace

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

    void readers()
    {
        const Entries entries { { u"[Content_Types].xml"_qs, QByteArray("<Types/>") },
            { u"xl/worksheets/sheet1.xml"_qs, QByteArray(70000, 'x') }, { u"a"_qs, QByteArray() },
            { u"b/c.bin"_qs, QByteArray("\0\1\2\xff", 4) },
            { u"лист/données.xml"_qs, QByteArray("ok") } };
        QTemporaryDir dir;
        const QString file = dir.filePath(u"archive.zip"_qs);
        {
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(*zipArchive(entries));
        }
        QVERIFY(run(u"unzip"_qs, { u"-tq"_qs, file }).contains("No errors"));

        const QList<QByteArray> lines
            = run(u"/usr/bin/python3"_qs, { testData(u"export/zip_listing.py"_qs), file })
                  .trimmed()
                  .split('\n');
        QCOMPARE(lines.size(), entries.size());
        for (qsizetype i = 0; i < entries.size(); ++i) {
            const QJsonObject info = QJsonDocument::fromJson(lines[i]).object();
            QCOMPARE(
                QByteArray::fromHex(info[u"name"].toString().toLatin1()), entries[i].path.toUtf8());
            QCOMPARE(info[u"flags"].toInt(), 0);
            QCOMPARE(info[u"method"].toInt(), 0); // stored
            QCOMPARE(quint32(info[u"crc"].toInteger()), crc32(entries[i].data));
            QCOMPARE(info[u"crc"].toInteger(), info[u"dataCrc"].toInteger());
            QCOMPARE(info[u"size"].toInteger(), entries[i].data.size());
            QCOMPARE(info[u"compressedSize"].toInteger(), entries[i].data.size());
            QCOMPARE(QByteArray::fromHex(info[u"data"].toString().toLatin1()), entries[i].data);
        }
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
