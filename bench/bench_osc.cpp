// OSC to QLab: query round trips against the fake QLab beside a bare TCP ping-pong on the same
// loopback (the floor), and decoding of large "/cueLists" replies that arrive in 64 KB chunks.
#include "FakeQLabServer.h"
#include "qlab/OSCCueListReader.h"
#include "qlab/OSCMessage.h"
#include "qlab/OSCReplyParser.h"
#include "qlab/QLab_OSCClient.h"
#include "qlab/SlipDecoder.h"
#include "qlab/SlipEncoder.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUuid>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype chunkSize = 64 * 1024;

WorkspaceFixture oneCueFixture()
{
    return *WorkspaceFixture::fromJson(R"({"workspaces":[{"uniqueID":"W","cueLists":[
        {"uniqueID":"L","type":"Cue List","name":"Main","cues":[
        {"uniqueID":"A-PRESHOW","type":"Audio","number":"1","name":"Preshow music"}]}]}]})",
        nullptr);
}

// A cue as "/cueLists" describes it, with the documented keys.
QJsonObject cueEntry(int i)
{
    const QString name = u"Cue "_s + QString::number(i) + u" \u2013 thunder and rain"_s;
    return QJsonObject { { u"uniqueID"_s, QUuid::createUuid().toString(QUuid::WithoutBraces) },
        { u"number"_s, QString::number(i) }, { u"name"_s, name }, { u"listName"_s, name },
        { u"type"_s, i % 7 == 0 ? u"Fade"_s : u"Audio"_s }, { u"colorName"_s, u"none"_s },
        { u"colorName/live"_s, u"none"_s }, { u"flagged"_s, false }, { u"armed"_s, true } };
}

// The SLIP frame of a "/cueLists" reply holding `cues` cues in one list.
QByteArray cueListsFrame(int cues)
{
    QJsonArray list;
    for (int i = 0; i < cues; ++i)
        list.append(cueEntry(i));
    const QJsonObject cueList { { u"uniqueID"_s, u"L"_s }, { u"name"_s, u"Main"_s },
        { u"type"_s, u"Cue List"_s }, { u"cues"_s, list } };
    const QJsonObject reply { { u"workspace_id"_s, u"W"_s }, { u"address"_s, u"/cueLists"_s },
        { u"status"_s, u"ok"_s }, { u"data"_s, QJsonArray { cueList } } };
    const QString json = QString::fromUtf8(QJsonDocument(reply).toJson(QJsonDocument::Compact));
    return SlipEncoder::encode(OSCMessage(u"/reply/cueLists"_s).addString(json).encoded());
}

// Cues per megabyte of reply, roughly.
constexpr int cuesPerMegabyte = 4500;

void BM_RawTcpPingPong(benchmark::State &state)
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, server.serverPort());
    client.waitForConnected();
    client.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    QEventLoop accepted;
    QObject::connect(&server, &QTcpServer::newConnection, &accepted, &QEventLoop::quit);
    if (!server.hasPendingConnections())
        accepted.exec();
    QTcpSocket *peer = server.nextPendingConnection();
    peer->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    QObject::connect(peer, &QTcpSocket::readyRead, peer, [peer] {
        peer->write(peer->readAll());
        peer->flush();
    });

    const QByteArray ping(64, 'x');
    QEventLoop answered;
    QObject::connect(&client, &QTcpSocket::readyRead, &answered, [&] {
        client.readAll();
        answered.quit();
    });
    for (auto _ : state) {
        client.write(ping);
        client.flush();
        answered.exec();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RawTcpPingPong)->UseRealTime();

void BM_OSCQuery(benchmark::State &state)
{
    FakeQLabServer server(oneCueFixture());
    server.listen();
    QLab_OSCClient client(u"127.0.0.1"_s, server.port());
    QCoro::waitFor(client.connectToQLab());
    for (auto _ : state) {
        const auto replies
            = QCoro::waitFor(client.sendQuery(OSCMessage(u"/cue_id/A-PRESHOW/name"_s)));
        if (replies.isEmpty())
            state.SkipWithError("no reply");
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_OSCQuery)->UseRealTime();

// SLIP decoding and reply parsing of one "/cueLists" reply arriving in 64 KB chunks; the
// argument is the reply's size in megabytes. Time per byte must not grow with the size.
void BM_DecodeCueListsReply(benchmark::State &state)
{
    const QByteArray frame = cueListsFrame(int(state.range(0)) * cuesPerMegabyte);
    for (auto _ : state) {
        SlipDecoder decoder;
        std::optional<QLabOSCResponse> reply;
        for (qsizetype offset = 0; offset < frame.size(); offset += chunkSize) {
            for (const QByteArray &decoded : decoder.feed(QByteArrayView(frame).sliced(
                     offset, std::min(chunkSize, frame.size() - offset))))
                reply = OSCReplyParser::parse(decoded);
        }
        if (!reply || !reply->isOK())
            state.SkipWithError("reply not decoded");
        benchmark::DoNotOptimize(reply);
    }
    state.SetBytesProcessed(state.iterations() * frame.size());
    state.counters["reply_bytes"] = double(frame.size());
}
BENCHMARK(BM_DecodeCueListsReply)->Arg(1)->Arg(5)->Arg(20)->Unit(benchmark::kMillisecond);

// The SLIP layer alone, same chunks.
void BM_SlipDecode(benchmark::State &state)
{
    const QByteArray frame = cueListsFrame(int(state.range(0)) * cuesPerMegabyte);
    for (auto _ : state) {
        SlipDecoder decoder;
        qsizetype frames = 0;
        for (qsizetype offset = 0; offset < frame.size(); offset += chunkSize)
            frames += decoder
                          .feed(QByteArrayView(frame).sliced(
                              offset, std::min(chunkSize, frame.size() - offset)))
                          .size();
        benchmark::DoNotOptimize(frames);
    }
    state.SetBytesProcessed(state.iterations() * frame.size());
}
BENCHMARK(BM_SlipDecode)->Arg(1)->Arg(5)->Arg(20)->Unit(benchmark::kMillisecond);

// Turning the reply's data into flat cue records, at 1k to 50k cues.
void BM_ReadCueLists(benchmark::State &state)
{
    const auto reply = OSCReplyParser::parse(cueListsFrame(int(state.range(0))));
    for (auto _ : state) {
        const auto lists = OSCCueListReader::readCueLists(reply->payload);
        benchmark::DoNotOptimize(lists);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadCueLists)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

} // namespace
