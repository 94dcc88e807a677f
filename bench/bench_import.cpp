// Importing a 1,000-cue list over OSC from the fake QLab: the discovery, the enrichment, the
// triggers and every marker resolver, as the import run does it. Reported per cue, with the
// round trips per cue, beside the floor: a bare TCP ping-pong on the same loopback in the same
// run. The fake QLab answers from a thread of its own, as QLab is a program of its own, so the
// CPU time of the import's thread per round trip is the import's own cost.
#include "FakeQLabServer.h"
#include "ScopedEnvironment.h"
#include "WaitForTask.h"

#include "import/CueListDiscovery.h"
#include "import/ImportSession.h"
#include "import/ImportStateMachine.h"
#include "import/OSCListImport.h"
#include "import/ProjectLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int cueCount = 1000;

class NoProjects : public ProjectLoader
{
public:
    void loadProject(const QLabProject &) override { }
};

QJsonObject cue(const QString &id, const QString &type, const QString &name)
{
    return { { u"uniqueID"_s, id }, { u"type"_s, type }, { u"number"_s, id }, { u"name"_s, name },
        { u"armed"_s, true }, { u"preWait"_s, 0.5 }, { u"postWait"_s, 0 } };
}

// A show in the proportions of a real one: sound and its fades with levels, groups with members,
// cues aimed at others, MIDI, network and timecode.
QJsonObject showFixture()
{
    QJsonArray cues;
    for (int i = 0; cues.size() < cueCount; ++i) {
        const QString id = QString::number(i);
        QJsonObject entry;
        switch (i % 10) {
        case 0:
        case 1:
        case 2:
            entry = cue(id, u"Audio"_s, u"Sound "_s + id);
            entry.insert(u"levels"_s,
                QJsonArray { QJsonArray { -3, 0, 0, -10 }, QJsonArray { 0, 0, -70, 0 },
                    QJsonArray { 0, -70, 0, -70 } });
            break;
        case 3:
        case 4:
            entry = cue(id, u"Fade"_s, QString());
            entry.insert(u"cueTargetID"_s, QString::number(i - 3));
            entry.insert(u"levelsMode"_s, 0);
            entry.insert(u"duration"_s, 5);
            entry.insert(
                u"levels"_s, QJsonArray { QJsonArray { -60, 0, 0 }, QJsonArray { 0, -6, 0 } });
            entry.insert(
                u"doLevel"_s, QJsonArray { QJsonArray { 1, 0, 0 }, QJsonArray { 0, 1, 0 } });
            entry.insert(u"doRate"_s, 0);
            entry.insert(u"stopTargetWhenDone"_s, 1);
            break;
        case 5: {
            entry = cue(id, u"Group"_s, u"Scene "_s + id);
            entry.insert(u"mode"_s, 3);
            QJsonObject member = cue(id + u"-a"_s, u"Audio"_s, u"Rain"_s);
            member.insert(u"levels"_s, QJsonArray { QJsonArray { 0, -6 }, QJsonArray { 0, 0 } });
            QJsonObject stop = cue(id + u"-s"_s, u"Stop"_s, QString());
            stop.insert(u"cueTargetID"_s, QString::number(i - 5));
            entry.insert(u"cues"_s, QJsonArray { member, stop });
            break;
        }
        case 6:
            entry = cue(id, u"Start"_s, QString());
            entry.insert(u"cueTargetID"_s, QString::number(i - 6));
            break;
        case 7:
            entry = cue(id, u"MIDI"_s, u"Console"_s);
            entry.insert(u"messageType"_s, 1);
            entry.insert(u"status"_s, 1);
            entry.insert(u"channel"_s, 1);
            entry.insert(u"byte1"_s, 60);
            entry.insert(u"byte2"_s, 100);
            break;
        case 8:
            entry = cue(id, u"Network"_s, u"Video server"_s);
            entry.insert(u"networkPatchNumber"_s, 1);
            entry.insert(u"customString"_s, u"/go"_s);
            break;
        case 9:
            entry = cue(id, u"Timecode"_s, u"Clock"_s);
            entry.insert(u"startTime"_s, u"01:00:00:00"_s);
            entry.insert(u"duration"_s, 75);
            break;
        }
        cues.append(entry);
    }
    const QJsonObject list { { u"uniqueID"_s, u"L"_s }, { u"type"_s, u"Cue List"_s },
        { u"name"_s, u"Main"_s }, { u"cues"_s, cues } };
    const QJsonObject workspace { { u"uniqueID"_s, u"W"_s }, { u"displayName"_s, u"Show"_s },
        { u"cueLists"_s, QJsonArray { list } } };
    return { { u"workspaces"_s, QJsonArray { workspace } } };
}

// The fake QLab, made, used and destroyed on its own thread.
class ServerThread
{
public:
    explicit ServerThread(const WorkspaceFixture &fixture)
    {
        m_thread.start();
        m_context.moveToThread(&m_thread);
        run([&] {
            m_server = std::make_unique<FakeQLabServer>(fixture);
            m_server->listen();
        });
    }
    ~ServerThread()
    {
        run([&] { m_server.reset(); });
        m_thread.quit();
        m_thread.wait();
    }

    // Runs `work` with the server on its thread and returns when it is done.
    template <typename Work> void run(Work work)
    {
        QMetaObject::invokeMethod(&m_context, work, Qt::BlockingQueuedConnection);
    }
    quint16 port()
    {
        quint16 port = 0;
        run([&] { port = m_server->port(); });
        return port;
    }
    qsizetype takeLogSize()
    {
        qsizetype size = 0;
        run([&] {
            size = m_server->log().size();
            m_server->clearLog();
        });
        return size;
    }

private:
    QThread m_thread;
    QObject m_context;
    std::unique_ptr<FakeQLabServer> m_server;
};

double threadCPUMicroseconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e6 + double(now.tv_nsec) / 1000.0;
}

// Microseconds per bare request and answer of 64 bytes over loopback TCP.
double floorMicroseconds(int rounds)
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, server.serverPort());
    client.waitForConnected();
    client.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    if (!server.hasPendingConnections())
        server.waitForNewConnection(1000);
    QTcpSocket *peer = server.nextPendingConnection();
    peer->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    QObject::connect(peer, &QTcpSocket::readyRead, peer, [peer] { peer->write(peer->readAll()); });
    QEventLoop answered;
    QObject::connect(&client, &QTcpSocket::readyRead, &answered, [&] {
        client.readAll();
        answered.quit();
    });
    const QByteArray ping(64, 'x');
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < rounds; ++i) {
        client.write(ping);
        answered.exec();
    }
    return double(clock.nsecsElapsed()) / 1000.0 / rounds;
}

void BM_ImportOverOSC(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString fixturePath = folder.filePath(u"show.json"_s);
    QFile file(fixturePath);
    file.open(QIODevice::WriteOnly);
    file.write(QJsonDocument(showFixture()).toJson(QJsonDocument::Compact));
    file.close();
    // The triggers come from the fake osascript, as they come from AppleScript on a Mac.
    ScopedEnvironment environment;
    environment.prependToPath(QCoreApplication::applicationDirPath() + u"/../fakebin"_s);
    environment.set("FAKE_QLAB_WORKSPACE", fixturePath);

    ServerThread server(*WorkspaceFixture::load(fixturePath, nullptr));
    NoProjects loader;
    ImportStateMachine machine(loader);
    qint64 roundTrips = 0;
    double floorSum = 0;
    double importMicroseconds = 0;
    double importCPUMicroseconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        floorSum += floorMicroseconds(200);
        ImportSession session(
            ImportRun(machine, machine.currentRunToken()), u"127.0.0.1"_s, server.port());
        session.workspaceName = u"Show"_s;
        waitForTask(session.client.connectToQLab());
        server.takeLogSize();
        state.ResumeTiming();

        QElapsedTimer clock;
        clock.start();
        const double cpuStart = threadCPUMicroseconds();
        waitForTask(CueListDiscovery::discover(session));
        const auto list = waitForTask(OSCListImport::importList(session, u"L"_s));
        importCPUMicroseconds += threadCPUMicroseconds() - cpuStart;
        importMicroseconds += double(clock.nsecsElapsed()) / 1000.0;
        if (!list || list->cues.size() != cueCount)
            state.SkipWithError("the list was not imported");
        roundTrips += server.takeLogSize();
    }
    const double runs = double(state.iterations());
    state.counters["us_per_cue"] = importMicroseconds / runs / cueCount;
    state.counters["round_trips_per_cue"] = double(roundTrips) / runs / cueCount;
    state.counters["us_per_round_trip"] = importMicroseconds / double(roundTrips);
    state.counters["cpu_us_per_round_trip"] = importCPUMicroseconds / double(roundTrips);
    state.counters["floor_us_per_round_trip"] = floorSum / runs;
}
BENCHMARK(BM_ImportOverOSC)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
