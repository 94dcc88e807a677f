#include "TestSupport.h"
#include "qlab/OSCMessage.h"
#include "qlab/OSCReplyParser.h"
#include "qlab/SlipDecoder.h"
#include "qlab/SlipEncoder.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestOSCWireFormat : public QObject
{
    Q_OBJECT

private slots:
    // A zero inside a text would end the string early and shift every byte after it.
    void zeroCharacterDropped()
    {
        QCOMPARE(OSCMessage(u"/n"_s).addString(u"a\0b"_s).encoded(),
            QByteArray("/n\0\0,s\0\0ab\0\0", 12));
    }

    // Bytes before the first END are a frame; an empty frame is none; an unknown escape pair is
    // dropped.
    void slipDecode()
    {
        SlipDecoder decoder;
        QVERIFY(decoder.feed("ab").isEmpty());
        QCOMPARE(decoder.feed("\xc0\xc0"), QList<QByteArray> { "ab" });
        QCOMPARE(decoder.feed("a\xdb"
                              "xb\xc0"),
            QList<QByteArray> { "ab" });
    }

    // The largest workspace's "/cueLists" reply passes; a frame that never ends stops growing.
    void slipFrameLimit()
    {
        const QByteArray large(5 * 1024 * 1024, 'a');
        const QByteArray frame = SlipEncoder::encode(large);
        SlipDecoder decoder;
        QList<QByteArray> decoded;
        for (qsizetype i = 0; i < frame.size(); i += 65536)
            decoded += decoder.feed(
                QByteArrayView(frame).sliced(i, std::min<qsizetype>(65536, frame.size() - i)));
        QCOMPARE(decoded, QList<QByteArray> { large });
        QVERIFY(!decoder.hasOverflowed());

        const QByteArray chunk(1024 * 1024, 'b');
        for (qsizetype fed = 0; fed <= SlipDecoder::maximumFrameSize; fed += chunk.size())
            QVERIFY(decoder.feed(chunk).isEmpty());
        QVERIFY(decoder.hasOverflowed());
        QVERIFY(decoder.pendingSize() <= SlipDecoder::maximumFrameSize);
        // The overlong frame is dropped up to its end; the next one comes through.
        QCOMPARE(decoder.feed("bb\xc0"
                              "next\xc0"),
            QList<QByteArray> { "next" });
    }

    void slipRoundTrip()
    {
        QByteArray all;
        for (int i = 0; i < 256; ++i)
            all.append(char(i));
        const QByteArray frame = SlipEncoder::encode(all);
        for (qsizetype cut = 0; cut <= frame.size(); ++cut) {
            SlipDecoder decoder;
            QList<QByteArray> decoded = decoder.feed(frame.first(cut));
            decoded += decoder.feed(frame.sliced(cut));
            QCOMPARE(decoded, QList<QByteArray>({ all }));
        }
    }

    void parseReply_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<bool>("parsed");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QByteArray>("payload"); // compact JSON, empty when absent
        QTest::newRow("object between other bytes")
            << QByteArray("/reply/x\0\0\0\0,s\0\0{\"status\":\"ok\",\"data\":[1,2]}\0junk", 49)
            << true << u"ok"_s << QString() << QByteArray("[1,2]");
        QTest::newRow("brace inside a text value")
            << QByteArray("{\"status\":\"ok\",\"data\":\"Cue } {A\"}") << true << u"ok"_s
            << QString() << QByteArray("\"Cue } {A\"");
        QTest::newRow("escaped quote before a brace")
            << QByteArray("{\"status\":\"ok\",\"data\":\"say \\\"}\\\" \\\\\"}") << true << u"ok"_s
            << QString() << QByteArray("\"say \\\"}\\\" \\\\\"");
        QTest::newRow("malformed json")
            << QByteArray("{\"status\":ok}") << false << QString() << QString() << QByteArray();
    }
    void parseReply()
    {
        QFETCH(QByteArray, frame);
        QFETCH(bool, parsed);
        QFETCH(QString, status);
        QFETCH(QString, address);
        QFETCH(QByteArray, payload);
        const auto reply = OSCReplyParser::parse(frame);
        QCOMPARE(reply.has_value(), parsed);
        if (!reply)
            return;
        QCOMPARE(reply->status, status);
        QCOMPARE(reply->address, address);
        QCOMPARE(reply->payload.has_value(), !payload.isEmpty());
        if (reply->payload)
            QCOMPARE(reply->payload, parseJson(payload.constData()));
    }
};

QTEST_GUILESS_MAIN(TestOSCWireFormat)
#include "tst_oscwireformat.moc"
