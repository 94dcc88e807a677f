#include "qlab/OSCCueAddress.h"
#include "qlab/OSCMessage.h"
#include "qlab/OSCReplyParser.h"
#include "qlab/OSCValue.h"
#include "qlab/SlipDecoder.h"
#include "qlab/SlipEncoder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QJsonValue json(const char *text)
{
    return QJsonDocument::fromJson(QByteArray("[") + text + "]").array().first();
}

} // namespace

class TestOSCWireFormat : public QObject
{
    Q_OBJECT

private slots:
    void message_data()
    {
        QTest::addColumn<QByteArray>("encoded");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("connect with passcode")
            << OSCMessage(u"/connect"_s).addString(u"1234"_s).encoded()
            << QByteArray("/connect\0\0\0\0,s\0\0"
                          "1234\0\0\0\0",
                   24);
        QTest::newRow("empty text") << OSCMessage(u"/n"_s).addString(QString()).encoded()
                                    << QByteArray("/n\0\0,s\0\0\0\0\0\0", 12);
        QTest::newRow("negative int") << OSCMessage(u"/x"_s).addInt32(-2).encoded()
                                      << QByteArray("/x\0\0,i\0\0\xff\xff\xff\xfe", 12);
        QTest::newRow("utf-8 text") << OSCMessage(u"/n"_s).addString(u"\u042f"_s).encoded()
                                    << QByteArray("/n\0\0,s\0\0\xd0\xaf\0\0", 12);
        // A zero inside would end the string early and shift every byte after it.
        QTest::newRow("zero character dropped")
            << OSCMessage(u"/n"_s).addString(u"a\0b"_s).encoded()
            << QByteArray("/n\0\0,s\0\0ab\0\0", 12);
    }
    void message()
    {
        QFETCH(QByteArray, encoded);
        QFETCH(QByteArray, expected);
        QCOMPARE(encoded, expected);
    }

    void slipEncode_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QByteArray>("frame");
        QTest::newRow("escapes") << QByteArray("\x01\xc0\xdb")
                                 << QByteArray("\xc0\x01\xdb\xdc\xdb\xdd\xc0");
        QTest::newRow("empty") << QByteArray() << QByteArray("\xc0\xc0");
        QTest::newRow("plain") << QByteArray("ab")
                               << QByteArray("\xc0"
                                             "ab\xc0");
    }
    void slipEncode()
    {
        QFETCH(QByteArray, message);
        QFETCH(QByteArray, frame);
        QCOMPARE(SlipEncoder::encode(message), frame);
    }

    // Chunks are separated by "|" in the table; the frames that come out are joined by "|".
    void slipDecode_data()
    {
        QTest::addColumn<QList<QByteArray>>("chunks");
        QTest::addColumn<QList<QByteArray>>("frames");
        using L = QList<QByteArray>;
        QTest::newRow("one frame") << L { "\xc0"
                                          "ab\xc0" }
                                   << L { "ab" };
        QTest::newRow("two END bytes in a row give nothing") << L { "\xc0\xc0" } << L {};
        QTest::newRow("bytes before the first END are a frame") << L { "ab", "\xc0" } << L { "ab" };
        QTest::newRow("chunk ends right after ESC") << L { "\xc0"
                                                           "a\xdb",
            "\xdc"
            "b\xc0" }
                                                    << L { QByteArray("a\xc0"
                                                                      "b") };
        QTest::newRow("unknown escape pair is dropped") << L { "\xc0"
                                                               "a\xdb"
                                                               "xb\xc0" }
                                                        << L { "ab" };
        QTest::newRow("ESC then END drops the END") << L { "\xc0"
                                                           "a\xdb\xc0"
                                                           "b\xc0" }
                                                    << L { "ab" };
        QTest::newRow("two frames in one chunk") << L { "\xc0"
                                                        "a\xc0\xc0"
                                                        "b\xc0" }
                                                 << L { "a", "b" };
    }
    void slipDecode()
    {
        QFETCH(QList<QByteArray>, chunks);
        QFETCH(QList<QByteArray>, frames);
        SlipDecoder decoder;
        QList<QByteArray> decoded;
        for (const QByteArray &chunk : chunks)
            decoded += decoder.feed(chunk);
        QCOMPARE(decoded, frames);
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
        QTest::newRow("no status")
            << QByteArray("{\"address\":\"/a\"}") << true << u"error"_s << u"/a"_s << QByteArray();
        QTest::newRow("status not a text") << QByteArray("{\"status\":1,\"address\":2}") << true
                                           << u"error"_s << QString() << QByteArray();
        QTest::newRow("never closes")
            << QByteArray("{\"status\":\"ok\"") << false << QString() << QString() << QByteArray();
        QTest::newRow("brace inside a text value")
            << QByteArray("{\"status\":\"ok\",\"data\":\"Cue } {A\"}") << true << u"ok"_s
            << QString() << QByteArray("\"Cue } {A\"");
        QTest::newRow("escaped quote before a brace")
            << QByteArray("{\"status\":\"ok\",\"data\":\"say \\\"}\\\" \\\\\"}") << true << u"ok"_s
            << QString() << QByteArray("\"say \\\"}\\\" \\\\\"");
        QTest::newRow("nested objects")
            << QByteArray("{\"status\":\"ok\",\"data\":{\"a\":{\"b\":1}}} {\"status\":\"error\"}")
            << true << u"ok"_s << QString() << QByteArray("{\"a\":{\"b\":1}}");
        QTest::newRow("data null") << QByteArray("{\"status\":\"ok\",\"data\":null}") << true
                                   << u"ok"_s << QString() << QByteArray("null");
        QTest::newRow("malformed json")
            << QByteArray("{\"status\":ok}") << false << QString() << QString() << QByteArray();
        QTest::newRow("array first")
            << QByteArray("[{\"status\":\"ok\"}]") << true << u"ok"_s << QString() << QByteArray();
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
            QCOMPARE(reply->payload, json(payload.constData()));
    }

    void requestAddress_data()
    {
        QTest::addColumn<QString>("replyAddress");
        QTest::addColumn<QString>("request");
        QTest::addColumn<bool>("answers");
        QTest::newRow("same") << u"/cue_id/1/name"_s << u"/cue_id/1/name"_s << true;
        QTest::newRow("workspace prefix")
            << u"/workspace/W-1/cue_id/1/name"_s << u"/cue_id/1/name"_s << true;
        QTest::newRow("both prefixes")
            << u"/reply/workspace/W-1/cue_id/1/name"_s << u"/cue_id/1/name"_s << true;
        QTest::newRow("other property") << u"/cue_id/1/type"_s << u"/cue_id/1/name"_s << false;
        QTest::newRow("12 is not 123") << u"/cue_id/123/notes"_s << u"/cue_id/12/notes"_s << false;
        QTest::newRow("empty address") << QString() << u"/cueLists"_s << false;
        QTest::newRow("request to one workspace")
            << u"/reply/workspace/W-1/cue_id/1/name"_s << u"/workspace/W-1/cue_id/1/name"_s << true;
        QTest::newRow("case matters")
            << u"/cue_id/1/cueTargetId"_s << u"/cue_id/1/cueTargetID"_s << false;
    }
    void requestAddress()
    {
        QFETCH(QString, replyAddress);
        QFETCH(QString, request);
        QFETCH(bool, answers);
        QLabOSCResponse reply;
        reply.address = replyAddress;
        QCOMPARE(reply.requestAddress() == QLabOSCResponse::withoutPrefixes(request), answers);
    }

    void doubleValue_data()
    {
        QTest::addColumn<QByteArray>("value"); // JSON; empty for no value
        QTest::addColumn<bool>("present");
        QTest::addColumn<double>("number");
        QTest::newRow("number") << QByteArray("1.5") << true << 1.5;
        QTest::newRow("text with sign and exponent") << QByteArray("\"-1e2\"") << true << -100.0;
        QTest::newRow("array") << QByteArray("[3,4]") << true << 3.0;
        QTest::newRow("empty array") << QByteArray("[]") << false << 0.0;
        QTest::newRow("not a number") << QByteArray("\"abc\"") << false << 0.0;
        QTest::newRow("leading blank") << QByteArray("\" 1\"") << false << 0.0;
        QTest::newRow("comma decimal") << QByteArray("\"1,5\"") << false << 0.0;
        QTest::newRow("infinity text") << QByteArray("\"inf\"") << false << 0.0;
        QTest::newRow("overflowing text") << QByteArray("\"1e999\"") << false << 0.0;
        QTest::newRow("boolean") << QByteArray("true") << false << 0.0;
        QTest::newRow("no value") << QByteArray() << false << 0.0;
    }
    void doubleValue()
    {
        QFETCH(QByteArray, value);
        QFETCH(bool, present);
        QFETCH(double, number);
        const auto result = OSCValue::doubleValue(
            value.isEmpty() ? std::nullopt : std::optional(json(value.constData())));
        QCOMPARE(result.has_value(), present);
        if (present)
            QCOMPARE(*result, number);
    }

    void boolValue_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("expected");
        QTest::newRow("true") << QByteArray("true") << true;
        QTest::newRow("one") << QByteArray("1") << true;
        QTest::newRow("zero") << QByteArray("0") << false;
        QTest::newRow("half") << QByteArray("0.5") << true;
        QTest::newRow("text 1") << QByteArray("\"1\"") << true;
        QTest::newRow("text yes") << QByteArray("\"yes\"") << false;
        QTest::newRow("missing") << QByteArray() << false;
    }
    void boolValue()
    {
        QFETCH(QByteArray, value);
        QFETCH(bool, expected);
        QCOMPARE(OSCValue::boolValue(
                     value.isEmpty() ? std::nullopt : std::optional(json(value.constData()))),
            expected);
    }

    void wholeNumbers()
    {
        QCOMPARE(OSCValue::wholePart(2.7), std::optional<qint64>(2));
        QCOMPARE(OSCValue::wholePart(-2.7), std::optional<qint64>(-2));
        QCOMPARE(OSCValue::wholePart(1e300), std::nullopt);
        QCOMPARE(OSCValue::rounded(2.5), 3);
        QCOMPARE(OSCValue::rounded(-2.5), -3);
        QCOMPARE(OSCValue::rounded(0.3), 0);
        QCOMPARE(OSCValue::rounded(1e300), std::numeric_limits<qint64>::max());
    }

    void sendableCueIDs_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("sendable");
        QTest::newRow("uuid") << u"7A1C5E2B-0D1F-4C55-9E0B-3B6A9D2F1001"_s << true;
        QTest::newRow("cyrillic") << u"\u041a\u044e"_s << true;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("blank") << u"a b"_s << false;
        QTest::newRow("slash") << u"a/b"_s << false;
        QTest::newRow("star") << u"*"_s << false;
        QTest::newRow("hash") << u"#1"_s << false;
        QTest::newRow("comma") << u"a,b"_s << false;
        QTest::newRow("question mark") << u"a?"_s << false;
        QTest::newRow("brackets") << u"[ab]"_s << false;
        QTest::newRow("braces") << u"{a,b}"_s << false;
        QTest::newRow("tab") << u"a\tb"_s << false;
        QTest::newRow("nul") << QString(QChar(0)) << false;
        QTest::newRow("delete") << u"a\u007f"_s << false;
        QTest::newRow("no-break space") << u"a\u00a0b"_s << false;
    }
    void sendableCueIDs()
    {
        QFETCH(QString, id);
        QFETCH(bool, sendable);
        QCOMPARE(OSCCueAddress::isSendable(id), sendable);
        QCOMPARE(OSCCueAddress::make(id, u"/name").has_value(), sendable);
    }
};

QTEST_GUILESS_MAIN(TestOSCWireFormat)
#include "tst_oscwireformat.moc"
