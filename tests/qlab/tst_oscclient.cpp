#include "FakeQLabServer.h"
#include "TestSupport.h"
#include "WaitForTask.h"
#include "qlab/OSCClientError.h"
#include "qlab/OSCCueAddress.h"
#include "qlab/OSCCueEnricher.h"
#include "qlab/OSCFadeParamsReader.h"
#include "qlab/QLab_OSCClient.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

const QString preshow = u"A-PRESHOW"_s;

// Checks that something did not wait out a time-out compare against these: far apart, so that a
// loaded machine does not make them flaky.
constexpr std::chrono::milliseconds longWait = 10s;
constexpr qint64 promptBound = 4000;

// The result of a client operation, or the code of what it threw.
template <typename T> struct Outcome
{
    std::optional<T> value;
    std::optional<OSCClientError::Code> error;
};

template <typename T> Outcome<T> run(QCoro::Task<T> task)
{
    Outcome<T> outcome;
    try {
        outcome.value.emplace(waitForTask(std::move(task)));
    } catch (const OSCClientError &error) {
        outcome.error = error.code();
    }
    return outcome;
}

// What a connect threw, if anything.
std::optional<OSCClientError::Code> connectError(QCoro::Task<> connecting)
{
    try {
        waitForTask(std::move(connecting));
    } catch (const OSCClientError &error) {
        return error.code();
    }
    return std::nullopt;
}

std::optional<OSCClientError::Code> connectClient(
    QLab_OSCClient &client, std::optional<QString> passcode = std::nullopt)
{
    return connectError(client.connectToQLab(passcode));
}

// The fixture from the JSON text, or the show's fixture.
WorkspaceFixture fixture(const char *json = nullptr)
{
    QString error;
    auto fixture = json ? WorkspaceFixture::fromJson(json, &error)
                        : WorkspaceFixture::load(testData(u"fakes/show.json"_s), &error);
    if (!fixture)
        qFatal("%s", qPrintable(error));
    return *fixture;
}

// Three open workspaces: the first denies everything, A-1 is only in the second, B-1 only in
// the third.
const char *threeWorkspaces = R"({"workspaces":[
    {"uniqueID":"W0","noPasscodePermissions":[],"cueLists":[]},
    {"uniqueID":"W1","noPasscodePermissions":["view","edit","control"],
     "cueLists":[{"uniqueID":"L1","type":"Cue List","name":"One","cues":[
        {"uniqueID":"A-1","type":"Audio","name":"First"}]}]},
    {"uniqueID":"W2","noPasscodePermissions":["view","edit","control"],
     "cueLists":[{"uniqueID":"L2","type":"Cue List","name":"Two","cues":[
        {"uniqueID":"B-1","type":"Audio","name":"Second"}]}]}]})";

QStringList statuses(const QList<QLabOSCResponse> &replies)
{
    QStringList list;
    for (const QLabOSCResponse &reply : replies)
        list.append(reply.status);
    return list;
}

QStringList texts(const QList<std::optional<QString>> &statuses)
{
    QStringList list;
    for (const auto &status : statuses)
        list.append(status.value_or(u"<none>"_s));
    return list;
}

} // namespace

class TestOSCClient : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeQLabServer> server;
    std::unique_ptr<QLab_OSCClient> client;

    void start(const WorkspaceFixture &fixture)
    {
        server = std::make_unique<FakeQLabServer>(fixture);
        server->setBadPasscodeBackoff(0ms);
        QVERIFY(server->listen());
        client = std::make_unique<QLab_OSCClient>(u"127.0.0.1"_s, server->port());
    }

    void startConnected(const WorkspaceFixture &fixture)
    {
        start(fixture);
        QCOMPARE(connectClient(*client), std::nullopt);
        server->clearLog();
    }

    QList<QLabOSCResponse> query(const QString &address, std::chrono::milliseconds timeout = 2s)
    {
        const auto outcome = run(client->sendQuery(OSCMessage(address), timeout));
        if (outcome.error)
            qWarning("query %s threw %d", qPrintable(address), int(*outcome.error));
        return outcome.value.value_or(QList<QLabOSCResponse>());
    }

private slots:
    void cleanup()
    {
        client.reset();
        server.reset();
    }

    // A listener whose queue of unaccepted connections is full lets a connect hang.
    void connectTimesOut()
    {
        const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        QCOMPARE(::bind(listener, reinterpret_cast<sockaddr *>(&address), length), 0);
        QCOMPARE(::listen(listener, 0), 0);
        QCOMPARE(::getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length), 0);
        const quint16 port = ntohs(address.sin_port);
        std::vector<std::unique_ptr<QTcpSocket>> fillers;
        for (int i = 0; i < 8; ++i) {
            fillers.push_back(std::make_unique<QTcpSocket>());
            fillers.back()->connectToHost(u"127.0.0.1"_s, port);
            if (!fillers.back()->waitForConnected(300))
                break;
        }

        QLab_OSCClient hanging(u"127.0.0.1"_s, port);
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(connectClient(hanging), std::optional(OSCClientError::connectionTimeout));
        QVERIFY(timer.elapsed() >= 2900);
        QVERIFY(!hanging.isConnected());
        fillers.clear();
        ::close(listener);
    }

    // A connect that is overtaken while it waits for the socket ends with connectionFailed,
    // never on the connection that replaced it.
    void connectInterrupted_data()
    {
        QTest::addColumn<bool>("byAnotherConnect");
        QTest::newRow("by a disconnect") << false;
        QTest::newRow("by another connect") << true;
    }
    void connectInterrupted()
    {
        QFETCH(bool, byAnotherConnect);
        start(fixture());
        auto first = client->connectToQLab();
        if (byAnotherConnect)
            QCOMPARE(connectClient(*client), std::nullopt);
        else
            client->disconnectFromQLab();
        QCOMPARE(connectError(std::move(first)), std::optional(OSCClientError::connectionFailed));
        QCOMPARE(client->isConnected(), byAnotherConnect);
        QTRY_COMPARE(server->openConnections(), byAnotherConnect ? 1 : 0);
        if (byAnotherConnect)
            QCOMPARE(statuses(query(u"/cue_id/A-PRESHOW/name"_s)), QStringList { u"ok"_s });
    }

    // The workspace is chosen by its name among the open ones; every message then goes to it.
    void connectToWorkspace_data()
    {
        QTest::addColumn<QByteArray>("workspaces");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("chosen"); // empty: the connect fails
        QTest::addColumn<std::optional<OSCClientError::Code>>("error");
        const QByteArray twoNamed = R"([{"uniqueID":"W1","displayName":"A","cueLists":[]},
            {"uniqueID":"W2","displayName":"B","cueLists":[]}])";
        QTest::newRow("by name") << twoNamed << u"B"_s << u"W2"_s
                                 << std::optional<OSCClientError::Code>();
        QTest::newRow("the only one open, whatever its name")
            << QByteArray(R"([{"uniqueID":"W1","displayName":"A","cueLists":[]}])") << u"Z"_s
            << u"W1"_s << std::optional<OSCClientError::Code>();
        QTest::newRow("no such name")
            << twoNamed << u"Z"_s << QString() << std::optional(OSCClientError::workspaceNotOpen);
        QTest::newRow("name shared")
            << QByteArray(R"([{"uniqueID":"W1","displayName":"A","cueLists":[]},
                {"uniqueID":"W2","displayName":"A","cueLists":[]}])")
            << u"A"_s << QString() << std::optional(OSCClientError::workspaceNameShared);
    }
    void connectToWorkspace()
    {
        QFETCH(QByteArray, workspaces);
        QFETCH(QString, name);
        QFETCH(QString, chosen);
        QFETCH(std::optional<OSCClientError::Code>, error);
        start(fixture((R"({"workspaces":)" + workspaces + "}").constData()));
        QCOMPARE(connectError(client->connectToQLab(u"1234"_s, name)), error);
        QCOMPARE(client->workspaceID(), chosen);
        if (chosen.isEmpty())
            return;
        query(u"/cueLists"_s);
        const QString prefix = u"/workspace/"_s + chosen;
        QCOMPARE(server->receivedAddresses(),
            (QStringList { u"/workspaces"_s, prefix + u"/connect"_s, prefix + u"/cueLists"_s }));
        QCOMPARE(server->log().at(1).arguments, QVariantList { u"1234"_s });
    }

    // The import's golden files pin the show's enriched texts; here, what QLab is never asked:
    // an MSC message's channel and data bytes, a Start's target by ID, misspelt properties.
    void enrichmentAsksOnlyWhatQLabHas()
    {
        startConnected(fixture());
        const auto lists = run(client->fetchCueLists()).value.value();
        QCOMPARE(run(OSCCueEnricher::enrichCueData(*client, lists.first().cues)).value->size(), 14);
        const QStringList sent = server->receivedAddresses();
        QVERIFY(!sent.contains(u"/cue_id/M-MSC/channel"_s));
        QVERIFY(!sent.contains(u"/cue_id/ST-THUNDER/cueTargetID"_s));
        for (const QString &address : sent)
            QVERIFY2(!address.endsWith(u"/fadeMode") && !address.endsWith(u"/cueTargetId"),
                qPrintable(address));
    }

    void notConnected()
    {
        start(fixture());
        QCOMPARE(run(client->sendQuery(OSCMessage(u"/cueLists"_s))).error,
            std::optional(OSCClientError::notConnected));
        QCOMPARE(run(client->fetchCueLists()).error, std::optional(OSCClientError::notConnected));
        QCOMPARE(run(client->writeNotes({ { preshow, u"x"_s } })).error,
            std::optional(OSCClientError::notConnected));
        QCOMPARE(
            run(client->checkCueAccess(preshow)).value, std::optional(std::pair(false, false)));
        QCOMPARE(run(OSCFadeParamsReader::fetchFadeParams(*client, u"F-VIDEO"_s)).error,
            std::optional(OSCClientError::notConnected));
        QVERIFY(server->log().isEmpty());
    }

    // QLab answers "error" at once for what does not exist; the query does not wait it out.
    void errorsArePrompt()
    {
        const QString address = u"/cue_id/NOPE/name"_s;
        startConnected(fixture());
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(statuses(query(address, longWait)), QStringList { u"error"_s });
        QVERIFY(timer.elapsed() < promptBound);
    }

    // Without a workspace prefix every open workspace answers; an "ok" from any of them wins,
    // even when it comes after another workspace's "error" or "denied".
    void severalWorkspaces_data()
    {
        QTest::addColumn<QString>("cueID");
        QTest::addColumn<int>("chunkSize");
        QTest::addColumn<QStringList>("statuses");
        QTest::newRow("ok last, arriving apart")
            << u"B-1"_s << 9 << QStringList { u"denied"_s, u"error"_s, u"ok"_s };
        QTest::newRow("in none") << u"C-1"_s << 9
                                 << QStringList { u"denied"_s, u"error"_s, u"error"_s };
    }
    void severalWorkspaces()
    {
        QFETCH(QString, cueID);
        QFETCH(int, chunkSize);
        QFETCH(QStringList, statuses);
        startConnected(fixture(threeWorkspaces));
        server->setChunkSize(chunkSize);
        QElapsedTimer timer;
        timer.start();
        // Every listed status is among the replies returned; a reply that follows an "ok" may
        // come with it.
        const QStringList returned
            = ::statuses(query(u"/cue_id/"_s + cueID + u"/name"_s, longWait));
        for (const QString &status : statuses)
            QVERIFY2(
                returned.count(status) >= statuses.count(status), qPrintable(returned.join(u' ')));
        QVERIFY(timer.elapsed() < promptBound);
        QCOMPARE(run(client->checkCueAccess(cueID)).value,
            std::optional(std::pair(true, statuses.contains(u"ok"_s))));
    }

    void writeNotes()
    {
        startConnected(fixture());
        QCOMPARE(run(client->writeNotes({})).value, std::optional(QList<std::optional<QString>>()));
        QVERIFY(server->log().isEmpty());
        const QList<QLab_OSCClient::NotePair> notes { { preshow, u"Preshow {music}"_s },
            { u"NOPE"_s, u"lost"_s }, { u"F-PRESHOW"_s, u"\u0424\u0435\u0439\u0434"_s },
            { u"bad id"_s, u"never sent"_s } };
        const auto outcome = run(client->writeNotes(notes));
        QCOMPARE(texts(outcome.value.value()),
            QStringList({ u"ok"_s, u"error"_s, u"ok"_s, u"<none>"_s }));

        const WorkspaceFixture::Workspace &ws = server->fixture().workspaces().first();
        QCOMPARE(ws.cue(preshow)->text(u"notes"), u"Preshow {music}"_s);
        QCOMPARE(ws.cue(u"F-PRESHOW"_s)->text(u"notes"), u"\u0424\u0435\u0439\u0434"_s);

        // QLab is asked to answer every message first, so that a written note is answered.
        QCOMPARE(server->receivedAddresses().first(), u"/alwaysReply"_s);

        server->clearLog();
        QCOMPARE(run(client->writeNotes({ { preshow, u"again"_s } })).value->first(), u"ok"_s);
        QCOMPARE(server->receivedAddresses(), QStringList { u"/cue_id/A-PRESHOW/notes"_s });
    }

    // The batch waits for its notes, not for an answer to "/alwaysReply".
    void unansweredAlwaysReply()
    {
        startConnected(fixture());
        server->addFault({ u"/alwaysReply"_s, 0ms, true, QString() });
        const QList<QLab_OSCClient::NotePair> notes(100, { preshow, u"a"_s });
        QElapsedTimer timer;
        timer.start();
        const auto outcome = run(client->writeNotes(notes));
        QVERIFY(timer.elapsed() < promptBound);
        QCOMPARE(texts(*outcome.value), QStringList(100, u"ok"_s));
        QCOMPARE(server->receivedAddresses().first(), u"/alwaysReply"_s);
    }

    // Where several workspaces answer one note, "ok" wins over "denied" over "error"; the
    // answer for cue 12 is not taken for cue 123's.
    void notesInSeveralWorkspaces()
    {
        startConnected(fixture(R"({"workspaces":[
            {"uniqueID":"W1","cueLists":[{"uniqueID":"L1","cues":[{"uniqueID":"A-1"},
                {"uniqueID":"12"},{"uniqueID":"123"}]}]},
            {"uniqueID":"W2","noPasscodePermissions":[],"cueLists":[]},
            {"uniqueID":"W3","cueLists":[{"uniqueID":"L3","cues":[{"uniqueID":"C-1"}]}]}]})"));
        server->setChunkSize(11);
        server->addFault({ u"/cue_id/12/"_s, 0ms, false, u"denied"_s });
        const auto outcome = run(client->writeNotes({ { u"C-1"_s, u"c"_s }, { u"X-1"_s, u"x"_s },
            { u"A-1"_s, u"a"_s }, { u"123"_s, u"b"_s }, { u"12"_s, u"b"_s } }));
        QCOMPARE(texts(*outcome.value),
            QStringList({ u"ok"_s, u"denied"_s, u"ok"_s, u"ok"_s, u"denied"_s }));
    }

    void closedConnectionEndsTheBatch()
    {
        startConnected(fixture());
        server->setCloseAfter(3); // /connect, /alwaysReply, then the first note
        // 120 notes have a deadline of 6 s; the closed connection ends the wait long before.
        const QList<QLab_OSCClient::NotePair> notes(120, { preshow, u"a"_s });
        QElapsedTimer timer;
        timer.start();
        const auto outcome = run(client->writeNotes(notes));
        QVERIFY(timer.elapsed() < promptBound);
        QCOMPARE(outcome.value->size(), 120);
        QCOMPARE(outcome.value->first(), std::nullopt);
        QVERIFY(client->isConnected());
        QCOMPARE(run(client->sendQuery(OSCMessage(u"/cueLists"_s))).error,
            std::optional(OSCClientError::networkError));
    }

    // "/cueLists" with the keys QLab adds beyond its documented ones (notes, waits, duration,
    // mode, isBroken) and flags as numbers still gives sound records; the documented keys alone
    // are what the golden imports read.
    void fetchCueLists()
    {
        startConnected(fixture());
        server->options().variantCueLists = true;
        const auto lists = run(client->fetchCueLists()).value.value();
        QCOMPARE(lists.size(), 3);
        QCOMPARE(lists.at(0).cues.size(), 14);
        QCOMPARE(lists.at(0).cues.at(0).notes, u"House open"_s);
        QCOMPARE(lists.at(0).cues.at(1).postWait, 0.5);
        QCOMPARE(lists.at(0).cues.at(10).action, u"Wait: 3s"_s);
        // A name with braces and quotes no longer costs the whole reply.
        QCOMPARE(lists.at(0).cues.at(11).name, u"Cue {A} \"top\""_s);
    }

    // A large workspace's reply may take longer than an ordinary query's wait.
    void slowCueLists()
    {
        startConnected(fixture());
        server->addFault({ u"/cueLists"_s, 2500ms, false, QString() });
        QCOMPARE(run(client->fetchCueLists()).value.value().size(), 3);
    }

    void enrichmentCases_data()
    {
        QTest::addColumn<QByteArray>("cues"); // the list's cues; the record under test is "X"
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("notAsked"); // an address the enrichment must not send
        QTest::newRow("target by ID, display name empty, list name")
            << QByteArray(R"({"uniqueID":"X","type":"Stop","cueTargetID":"T"},
                   {"uniqueID":"T","type":"Audio","number":"","displayName":"","listName":"Intro"})")
            << u"Stop"_s << u"Stop \u2192 Intro"_s << u"/cue_id/T/name"_s;
        QTest::newRow("target ID that cannot be sent")
            << QByteArray(R"({"uniqueID":"X","type":"Load","cueTargetID":"*"})") << u"Load"_s
            << u"__TARGET__|Load|X"_s << QString();
        QTest::newRow("midi message type as text")
            << QByteArray(R"({"uniqueID":"X","type":"MIDI","messageType":"Note Off","byte1":1})")
            << u"MIDI"_s << u"MIDI Note Off 1"_s << u"/cue_id/X/status"_s;
        QTest::newRow("group mode 1.9")
            << QByteArray(R"({"uniqueID":"X","type":"Group","mode":1.9,"cues":[]})")
            << u"Group (Start first and enter)"_s << QString() << QString();
        QTest::newRow("identifier that cannot be sent")
            << QByteArray(R"({"uniqueID":"X Y","type":"MIDI"})") << u"MIDI"_s << u"__MIDI__|X Y"_s
            << QString();
    }
    void enrichmentCases()
    {
        QFETCH(QByteArray, cues);
        QFETCH(QString, type);
        QFETCH(QString, action);
        QFETCH(QString, notAsked);
        const QByteArray json
            = R"({"workspaces":[{"uniqueID":"W","cueLists":[{"uniqueID":"L","cues":[)" + cues
            + "]}]}]}";
        startConnected(fixture(json.constData()));
        const auto lists = run(client->fetchCueLists()).value.value();
        const auto enriched
            = run(OSCCueEnricher::enrichCueData(*client, lists.first().cues)).value.value();
        QCOMPARE(enriched.first().type, type);
        QCOMPARE(enriched.first().action, action);
        if (!notAsked.isEmpty())
            QVERIFY(!server->receivedAddresses().contains(notAsked));
    }

    void enrichmentKeepsNotesOnEmptyAnswer()
    {
        startConnected(fixture(R"({"workspaces":[{"uniqueID":"W","cueLists":[{"uniqueID":"L",
            "cues":[{"uniqueID":"X","type":"Memo","notes":"","preWait":1.5}]}]}]})"));
        OSCCueData record;
        record.type = u"Memo"_s;
        record.qlabCueID = u"X"_s;
        record.notes = u"kept"_s;
        const auto enriched = run(OSCCueEnricher::enrichCueData(*client, { record })).value.value();
        QCOMPARE(enriched.first().notes, u"kept"_s);
        QCOMPARE(enriched.first().preWait, 1.5);
    }

    // Where one workspace denies and another answers, the answer is used.
    void enrichmentTakesTheOkAmongDenials()
    {
        startConnected(fixture(R"({"workspaces":[
            {"uniqueID":"W1","noPasscodePermissions":[],"cueLists":[]},
            {"uniqueID":"W2","cueLists":[{"uniqueID":"L","cues":[{"uniqueID":"X","type":"MIDI",
                "notes":"n","preWait":1.5,"messageType":2}]}]}]})"));
        server->setChunkSize(13);
        OSCCueData record;
        record.type = u"MIDI"_s;
        record.qlabCueID = u"X"_s;
        const auto enriched = run(OSCCueEnricher::enrichCueData(*client, { record })).value.value();
        QCOMPARE(enriched.first().notes, u"n"_s);
        QCOMPARE(enriched.first().preWait, 1.5);
        QCOMPARE(enriched.first().action, u"MIDI MSC"_s);
    }

    // A request that cannot be sent does not wait for an answer.
    void enrichmentWithoutConnection()
    {
        start(fixture());
        OSCCueData midi;
        midi.type = u"MIDI"_s;
        midi.qlabCueID = u"M"_s;
        OSCCueData network = midi;
        network.type = u"Network"_s;
        QElapsedTimer timer;
        timer.start();
        // Six records would cost six seconds if each waited for its notes.
        const auto enriched
            = run(OSCCueEnricher::enrichCueData(*client, { midi, network, midi, midi, midi, midi }))
                  .value.value();
        QVERIFY(timer.elapsed() < promptBound);
        QCOMPARE(enriched.at(0).action, u"MIDI"_s);
        QCOMPARE(enriched.at(1).action, u"Network"_s);
        QVERIFY(run(OSCCueEnricher::enrichCueData(*client, {})).value->isEmpty());
    }

    void faultSilence()
    {
        startConnected(fixture());
        server->addFault({ QString(), 0ms, true, QString() });
        QElapsedTimer timer;
        timer.start();
        QVERIFY(query(u"/cue_id/A-PRESHOW/name"_s, 300ms).isEmpty());
        QVERIFY(timer.elapsed() >= 290);
        QCOMPARE(run(client->checkCueAccess(preshow)).value, std::optional(std::pair(true, false)));
    }

    void faultSplitReplies_data()
    {
        QTest::addColumn<int>("chunkSize");
        QTest::newRow("small chunks") << 7;
        QTest::newRow("single bytes, so one ends right after an ESC byte") << 1;
    }
    void faultSplitReplies()
    {
        QFETCH(int, chunkSize);
        // U+06C0 is 0xDB 0x80 in UTF-8: its first byte is escaped on the wire.
        startConnected(fixture(R"({"workspaces":[{"uniqueID":"W","cueLists":[{"uniqueID":"L",
            "name":"\u06c0 list","cues":[{"uniqueID":"X","type":"Audio","name":"\u06c0\u06c0"}]}]}]})"));
        server->setChunkSize(chunkSize);
        QCOMPARE(query(u"/cue_id/X/name"_s).value(0).payload,
            std::optional(QJsonValue(u"\u06c0\u06c0"_s)));
        const auto lists = run(client->fetchCueLists()).value.value();
        QCOMPARE(lists.size(), 1);
        QCOMPARE(lists.first().cues.first().name, u"\u06c0\u06c0"_s);
    }

    // A stray reply to another address is never taken as the answer.
    void faultExtraReplies()
    {
        startConnected(fixture());
        server->setExtraReplies(true);
        const auto replies = query(u"/cue_id/NOPE/name"_s);
        QCOMPARE(statuses(replies), QStringList { u"error"_s });
        QCOMPARE(
            run(client->checkCueAccess(u"NOPE"_s)).value, std::optional(std::pair(true, false)));
        QCOMPARE(run(client->fetchCueLists()).value->size(), 3);
    }

    // A reply that comes after its query gave up must not answer the next query.
    void faultLateReply()
    {
        startConnected(fixture());
        server->addFault({ u"/cue_id/A-PRESHOW/name"_s, 500ms, false, QString() });
        QVERIFY(query(u"/cue_id/A-PRESHOW/name"_s, 200ms).isEmpty());
        const auto replies = query(u"/cue_id/F-PRESHOW/name"_s);
        QCOMPARE(replies.size(), 1);
        QCOMPARE(replies.first().payload, std::optional(QJsonValue(u"Fade out preshow"_s)));
    }

    // A query whose connection is replaced or dropped ends at once: it never waits on.
    void connectionChangeEndsTheWait_data()
    {
        QTest::addColumn<bool>("reconnect");
        QTest::newRow("reconnect") << true;
        QTest::newRow("disconnect") << false;
    }
    void connectionChangeEndsTheWait()
    {
        QFETCH(bool, reconnect);
        startConnected(fixture());
        server->addFault({ u"/name"_s, 0ms, true, QString() });
        QElapsedTimer timer;
        timer.start();
        auto waiting = client->sendQuery(OSCMessage(u"/cue_id/A-PRESHOW/name"_s), longWait);
        if (reconnect)
            QCOMPARE(connectClient(*client), std::nullopt);
        else
            QTimer::singleShot(100ms, client.get(), [this] { client->disconnectFromQLab(); });
        QVERIFY(run(std::move(waiting)).value->isEmpty());
        QVERIFY(timer.elapsed() < promptBound);
    }

    void badPasscodeBackoff()
    {
        start(fixture(R"({"workspaces":[{"uniqueID":"W","noPasscodePermissions":[],
            "passcodes":[{"passcode":"1","permissions":["view"]}],"cueLists":[
            {"uniqueID":"L","cues":[{"uniqueID":"A"}]}]}]})"));
        server->setBadPasscodeBackoff(400ms);
        QCOMPARE(connectClient(*client, u"wrong"_s), std::nullopt);
        QCOMPARE(run(client->checkCueAccess(u"A"_s)).value, std::optional(std::pair(true, false)));
        // The next connect is answered late; the probe that follows waits for it, however long
        // the machine takes, and is granted.
        QCOMPARE(connectClient(*client, u"1"_s), std::nullopt);
        QCOMPARE(run(client->checkCueAccess(u"A"_s)).value, std::optional(std::pair(true, true)));
    }
};

QTEST_GUILESS_MAIN(TestOSCClient)
#include "tst_oscclient.moc"
