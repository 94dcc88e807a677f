#include "FakeQLabServer.h"
#include "TestSupport.h"
#include "WaitForTask.h"
#include "model/AppText.h"
#include "model/LanguageManager.h"
#include "qlab/OSCClientError.h"
#include "qlab/OSCCueEnricher.h"
#include "qlab/OSCFadeParamsReader.h"
#include "qlab/QLab_OSCClient.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

const QString preshow = u"A-PRESHOW"_s;

// What did not wait out a time-out is done within this: far from any wait, so that a loaded
// machine does not make the checks flaky.
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

// What the operation threw, if anything.
std::optional<OSCClientError> thrown(const std::function<void()> &operation)
{
    try {
        operation();
    } catch (const OSCClientError &error) {
        return error;
    }
    return std::nullopt;
}

// What a connect threw, if anything.
std::optional<OSCClientError::Code> connectError(QCoro::Task<> connecting)
{
    const auto error = thrown([&] { waitForTask(std::move(connecting)); });
    return error ? std::optional(error->code()) : std::nullopt;
}

// The fixture from the JSON text, or the show's fixture.
WorkspaceFixture fixture(const QByteArray &json = {})
{
    QString error;
    auto fixture = !json.isEmpty() ? WorkspaceFixture::fromJson(json, &error)
                                   : WorkspaceFixture::load(testData(u"fakes/show.json"_s), &error);
    if (!fixture)
        qFatal("%s", qPrintable(error));
    return *fixture;
}

// What QLab answered to each note; none where a note was never answered.
using Statuses = QList<std::optional<QString>>;

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
        QCOMPARE(connectError(client->connectToQLab()), std::nullopt);
        server->clearLog();
    }

    QList<QLabOSCResponse> query(const QString &address, std::chrono::milliseconds timeout = 2s)
    {
        return run(client->sendQuery(OSCMessage(address), timeout))
            .value.value_or(QList<QLabOSCResponse>());
    }

private slots:
    void cleanup()
    {
        client.reset();
        server.reset();
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
            QCOMPARE(connectError(client->connectToQLab()), std::nullopt);
        else
            client->disconnectFromQLab();
        QCOMPARE(connectError(std::move(first)), std::optional(OSCClientError::connectionFailed));
        QCOMPARE(client->isConnected(), byAnotherConnect);
        QTRY_COMPARE(server->openConnections(), byAnotherConnect ? 1 : 0);
        if (byAnotherConnect)
            QCOMPARE(query(u"/cue_id/A-PRESHOW/name"_s).value(0).status, u"ok"_s);
    }

    // The workspace of the asked name, with the file's extension or without, gets every message
    // and the passcode; never another one, even the only one, nor one whose ID cannot be sent.
    void connectToTheNamedWorkspace_data()
    {
        QTest::addColumn<QByteArray>("workspaces");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("chosen"); // empty: workspaceNotOpen
        const auto listed = [](const QString &id, const QString &name) {
            return u"{\"uniqueID\":\"%1\",\"displayName\":\"%2\"}"_s.arg(id, name).toUtf8();
        };
        const QByteArray hamlet = listed(u"W1"_s, u"Hamlet"_s);
        QTest::newRow("the only one") << hamlet << u"Hamlet"_s << u"W1"_s;
        QTest::newRow("the only one, named otherwise") << hamlet << u"Macbeth"_s << QString();
        QTest::newRow("extension asked") << hamlet << u"Hamlet.qlab5"_s << u"W1"_s;
        QTest::newRow("extension listed")
            << listed(u"W1"_s, u"Hamlet.qlab4"_s) << u"Hamlet"_s << u"W1"_s;
        for (const QString &id : { u"W*"_s, u"W?"_s, u"W[1]"_s, u"W{1}"_s, u"W 1"_s, u"W/1"_s,
                 u"W#1"_s, u"W,1"_s, QString() }) {
            QTest::addRow("ID \"%s\"", qPrintable(id))
                << listed(id, u"Hamlet"_s) + ',' + listed(u"W2"_s, u"Hamlet.qlab5"_s) << u"Hamlet"_s
                << u"W2"_s;
        }
    }
    void connectToTheNamedWorkspace()
    {
        QFETCH(QByteArray, workspaces);
        QFETCH(QString, name);
        QFETCH(QString, chosen);
        start(fixture(R"({"workspaces":[)" + workspaces + "]}"));
        const bool found = !chosen.isEmpty();
        QCOMPARE(connectError(client->connectToQLab(u"1234"_s, name)),
            found ? std::nullopt : std::optional(OSCClientError::workspaceNotOpen));
        query(u"/cueLists"_s); // sent only while connected
        const QString prefix = u"/workspace/"_s + chosen;
        const QStringList connected { prefix + u"/connect"_s, prefix + u"/cueLists"_s };
        QCOMPARE(server->receivedAddresses(),
            QStringList { u"/workspaces"_s } + (found ? connected : QStringList()));
        if (found)
            QCOMPARE(server->log().at(1).arguments, QVariantList { u"1234"_s });
    }

    void notConnected()
    {
        start(fixture());
        QCOMPARE(run(client->sendQuery(OSCMessage(u"/cueLists"_s))).error,
            std::optional(OSCClientError::notConnected));
        QCOMPARE(run(client->writeNotes({ { preshow, u"x"_s } })).error,
            std::optional(OSCClientError::notConnected));
        QCOMPARE(
            run(client->checkCueAccess(preshow)).value, std::optional(std::pair(false, false)));
        QCOMPARE(run(OSCFadeParamsReader::fetchFadeParams(*client, u"F-VIDEO"_s)).error,
            std::optional(OSCClientError::notConnected));
        // Records whose questions cannot be sent do not wait for answers.
        OSCCueData midi;
        midi.type = u"MIDI"_s;
        midi.qlabCueID = u"M"_s;
        QElapsedTimer timer;
        timer.start();
        const auto enriched
            = run(OSCCueEnricher::enrichCueData(*client, QList<OSCCueData>(6, midi))).value.value();
        QVERIFY(timer.elapsed() < promptBound);
        QCOMPARE(enriched.at(0).action, u"MIDI"_s);
        QVERIFY(server->log().isEmpty());
    }

    void writeNotes()
    {
        startConnected(fixture());
        QCOMPARE(run(client->writeNotes({})).value, std::optional(Statuses()));
        QVERIFY(server->log().isEmpty());
        const QList<QLab_OSCClient::NotePair> notes { { preshow, u"Preshow {music}"_s },
            { u"NOPE"_s, u"lost"_s }, { u"F-PRESHOW"_s, u"\u0424\u0435\u0439\u0434"_s },
            { u"bad id"_s, u"never sent"_s } };
        const auto outcome = run(client->writeNotes(notes));
        QCOMPARE(outcome.value.value(), (Statuses { u"ok"_s, u"error"_s, u"ok"_s, std::nullopt }));

        const WorkspaceFixture::Workspace &ws = server->fixture().workspaces().first();
        QCOMPARE(ws.cue(preshow)->text(u"notes"), u"Preshow {music}"_s);
        QCOMPARE(ws.cue(u"F-PRESHOW"_s)->text(u"notes"), u"\u0424\u0435\u0439\u0434"_s);

        // QLab is asked to answer every message first, so that a written note is answered.
        QCOMPARE(server->receivedAddresses().first(), u"/alwaysReply"_s);

        server->clearLog();
        QCOMPARE(run(client->writeNotes({ { preshow, u"again"_s } })).value->first(), u"ok"_s);
        QCOMPARE(server->receivedAddresses(), QStringList { u"/cue_id/A-PRESHOW/notes"_s });

        // The batch waits for its notes, not for an answer to "/alwaysReply".
        QCOMPARE(connectError(client->connectToQLab()), std::nullopt);
        server->addFault({ u"/alwaysReply"_s, 0ms, true, QString() });
        QElapsedTimer timer;
        timer.start();
        const auto many
            = run(client->writeNotes(QList<QLab_OSCClient::NotePair>(100, { preshow, u"a"_s })));
        QVERIFY(timer.elapsed() < promptBound);
        QCOMPARE(*many.value, Statuses(100, u"ok"_s));
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
        QCOMPARE(
            *outcome.value, (Statuses { u"ok"_s, u"denied"_s, u"ok"_s, u"ok"_s, u"denied"_s }));
    }

    // Where one workspace denies and another answers, the answer is used; an empty answer
    // keeps the notes "/cueLists" gave.
    void enrichmentTakesTheOkAmongDenials()
    {
        startConnected(fixture(R"({"workspaces":[
            {"uniqueID":"W1","noPasscodePermissions":[],"cueLists":[]},
            {"uniqueID":"W2","cueLists":[{"uniqueID":"L","cues":[{"uniqueID":"X","type":"MIDI",
                "notes":"n","preWait":1.5,"messageType":2},
                {"uniqueID":"Y","type":"Memo","notes":"","preWait":1.5}]}]}]})"));
        server->setChunkSize(13);
        OSCCueData midi;
        midi.type = u"MIDI"_s;
        midi.qlabCueID = u"X"_s;
        OSCCueData memo;
        memo.type = u"Memo"_s;
        memo.qlabCueID = u"Y"_s;
        memo.notes = u"kept"_s;
        const auto enriched
            = run(OSCCueEnricher::enrichCueData(*client, { midi, memo })).value.value();
        QCOMPARE(enriched.at(0).notes, u"n"_s);
        QCOMPARE(enriched.at(0).preWait, 1.5);
        QCOMPARE(enriched.at(0).action, u"MIDI MSC"_s);
        QCOMPARE(enriched.at(1).notes, u"kept"_s);
        QCOMPARE(enriched.at(1).preWait, 1.5);
    }

    // Silence is no proof of access; a reply split after an ESC byte still comes through.
    void faultSilenceAndSplitReplies()
    {
        // U+06C0 is 0xDB 0x80 in UTF-8: its first byte is escaped on the wire.
        startConnected(fixture(R"({"workspaces":[{"uniqueID":"W","cueLists":[{"uniqueID":"L",
            "name":"\u06c0 list","cues":[{"uniqueID":"X","type":"Audio","name":"\u06c0\u06c0"}]}]}]})"));
        server->setChunkSize(1);
        QCOMPARE(query(u"/cue_id/X/name"_s).value(0).payload,
            std::optional(QJsonValue(u"\u06c0\u06c0"_s)));
        QCOMPARE(run(client->fetchCueLists()).value.value().first().cues.first().name,
            u"\u06c0\u06c0"_s);
        server->addFault({ QString(), 0ms, true, QString() });
        QVERIFY(query(u"/cue_id/X/name"_s, 300ms).isEmpty());
        QCOMPARE(run(client->checkCueAccess(u"X"_s)).value, std::optional(std::pair(true, false)));
    }

    // A stray reply to another address, or one that comes after its query gave up, is never
    // taken as the answer.
    void faultStrayReplies()
    {
        startConnected(fixture());
        server->setExtraReplies(true);
        QCOMPARE(query(u"/cue_id/NOPE/name"_s).value(0).status, u"error"_s);
        QCOMPARE(
            run(client->checkCueAccess(u"NOPE"_s)).value, std::optional(std::pair(true, false)));
        QCOMPARE(run(client->fetchCueLists()).value->size(), 3);
        server->setExtraReplies(false);
        server->addFault({ u"/cue_id/A-PRESHOW/name"_s, 500ms, false, QString() });
        QVERIFY(query(u"/cue_id/A-PRESHOW/name"_s, 200ms).isEmpty());
        QCOMPARE(query(u"/cue_id/F-PRESHOW/name"_s).value(0).payload,
            std::optional(QJsonValue(u"Fade out preshow"_s)));
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
        auto waiting = client->sendQuery(OSCMessage(u"/cue_id/A-PRESHOW/name"_s), 10s);
        if (reconnect)
            QCOMPARE(connectError(client->connectToQLab()), std::nullopt);
        else
            QTimer::singleShot(100ms, client.get(), [this] { client->disconnectFromQLab(); });
        QVERIFY(run(std::move(waiting)).value->isEmpty());
        QVERIFY(timer.elapsed() < promptBound);
    }

    // A failure of the socket reads in the interface's language of the moment it is shown.
    void socketFailureInTheInterfaceLanguage()
    {
        startConnected(fixture());
        server->closeConnections();
        std::optional<OSCClientError> closed;
        QTRY_VERIFY((closed = thrown([this] { client->requireOpenStream(); })).has_value());
        server.reset();
        const auto refused = thrown([this] { waitForTask(client->connectToQLab()); });
        QVERIFY(refused && refused->code() == OSCClientError::networkError);
        LanguageManager::shared().setCurrent(AppLanguage::english);
        QCOMPARE(closed->description(), AppText::oscConnectionClosed());
        const QString englishRefused = refused->description();
        LanguageManager::shared().setCurrent(AppLanguage::russian);
        QCOMPARE(closed->description(), AppText::oscConnectionClosed());
        QCOMPARE_NE(refused->description(), englishRefused);
    }

    void badPasscodeBackoff()
    {
        start(fixture(R"({"workspaces":[{"uniqueID":"W","noPasscodePermissions":[],
            "passcodes":[{"passcode":"1","permissions":["view"]}],"cueLists":[
            {"uniqueID":"L","cues":[{"uniqueID":"A"}]}]}]})"));
        server->setBadPasscodeBackoff(400ms);
        QCOMPARE(connectError(client->connectToQLab(u"wrong"_s)), std::nullopt);
        QCOMPARE(run(client->checkCueAccess(u"A"_s)).value, std::optional(std::pair(true, false)));
        // The next connect is answered late; the probe that follows waits for it, however long
        // the machine takes, and is granted.
        QCOMPARE(connectError(client->connectToQLab(u"1"_s)), std::nullopt);
        QCOMPARE(run(client->checkCueAccess(u"A"_s)).value, std::optional(std::pair(true, true)));
    }
};

QTEST_GUILESS_MAIN(TestOSCClient)
#include "tst_oscclient.moc"
