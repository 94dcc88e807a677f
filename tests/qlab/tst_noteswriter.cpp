#include "FakeQLabServer.h"
#include "TestSupport.h"
#include "qlab/QLab_NotesWriter.h"
#include "qlab/WriteBackDescriptions.h"

#include <QTcpServer>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

QLabCue candidate(const QString &qlabID, const QString &notes)
{
    QLabCue cue = makeCue(CueType::unknown, {}, {}, {}, notes);
    cue.qlabCueID = qlabID;
    return cue;
}

const QString preshow = u"A-PRESHOW"_s;
const QString fadePreshow = u"F-PRESHOW"_s;
const QString storm = u"G-STORM"_s;
const QString thunder = u"A-THUNDER"_s;
const QString rain = u"A-RAIN-OFF"_s;

} // namespace

class TestNotesWriter : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeQLabServer> m_server;
    std::unique_ptr<QLab_NotesWriter> m_writer;

    QString notesOf(const QString &cueID) const
    {
        return m_server->fixture().workspaces().first().cue(cueID)->text(u"notes");
    }

    QStringList noteAddresses() const
    {
        QStringList addresses;
        for (const QString &address : m_server->receivedAddresses()) {
            if (address.endsWith(u"/notes"))
                addresses.append(address);
        }
        return addresses;
    }

    // Runs a write-back to its end and returns what reached the completion.
    WriteBackResult writeBack(const QList<QLabCue> &cues)
    {
        std::optional<WriteBackResult> result;
        writeBackDescriptions(cues, *m_writer, [&](const WriteBackResult &r) { result = r; });
        if (!QTest::qWaitFor([&] { return result.has_value(); }, 10000))
            qFatal("write-back never finished");
        return *result;
    }

private slots:
    void initTestCase() { useLanguage(AppLanguage::english); }

    void init()
    {
        const auto show = WorkspaceFixture::load(testData(u"fakes/show.json"_s), nullptr);
        QVERIFY(show);
        m_server = std::make_unique<FakeQLabServer>(*show);
        QVERIFY(m_server->listen());
        m_writer = std::make_unique<QLab_NotesWriter>(u"127.0.0.1"_s, m_server->port());
    }
    void cleanup()
    {
        m_writer.reset();
        m_server.reset();
    }

    void nothingToWrite()
    {
        QLabCue withoutID = candidate(preshow, u"text"_s);
        withoutID.qlabCueID.reset();
        const QList<QLabCue> cues { withoutID, candidate(u""_s, u"text"_s),
            candidate(preshow, {}) };
        std::optional<WriteBackResult> result;
        writeBackDescriptions(cues, *m_writer, [&](const WriteBackResult &r) { result = r; });
        // Handed over at once, without a connection.
        QVERIFY(result);
        QCOMPARE(result->errorMessage, u"No cues with descriptions to write"_s);
        QCOMPARE(result->total, 0);
        QTest::qWait(50);
        QVERIFY(m_server->log().isEmpty());
        QCOMPARE(m_server->openConnections(), 0);
    }

    void writesEveryNote()
    {
        const QList<QLabCue> cues { candidate(preshow, u"Preshow music plays"_s),
            candidate(u""_s, u"no id"_s), candidate(thunder, u"Rain /name_Big Storm/ and wind"_s),
            candidate(fadePreshow, u"Музыка затихает"_s) };
        const WriteBackResult result = writeBack(cues);
        QCOMPARE(result, (WriteBackResult { 3, 3, 1, 0, false, std::nullopt }));
        QCOMPARE(notesOf(preshow), u"Preshow music plays"_s);
        // The user's marked name alone goes into QLab.
        QCOMPARE(notesOf(thunder), u"Big Storm"_s);
        QCOMPARE(notesOf(fadePreshow), u"Музыка затихает"_s);
        // Only the first cue is probed, then the notes go in one batch.
        QCOMPARE(m_server->receivedAddresses().mid(0, 2),
            (QStringList { u"/connect"_s, u"/cue_id/A-PRESHOW/type"_s }));
        QCOMPARE(noteAddresses().size(), 3);
        QTRY_COMPARE(m_server->openConnections(), 0);
    }

    void refusedConnection()
    {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 port = closed.serverPort();
        closed.close();
        m_writer = std::make_unique<QLab_NotesWriter>(u"127.0.0.1"_s, port);
        const WriteBackResult result
            = writeBack({ candidate(preshow, u"a"_s), candidate(thunder, u"b"_s) });
        QCOMPARE(
            result, (WriteBackResult { 2, 0, 0, 2, false, u"OSC not available (port 53000)"_s }));
    }

    void firstCueMissing_data()
    {
        QTest::addColumn<QString>("firstID");
        QTest::addColumn<bool>("typeDenied");
        QTest::newRow("unknown id") << u"NOPE"_s << false;
        QTest::newRow("probe denied") << preshow << true;
    }
    void firstCueMissing()
    {
        QFETCH(QString, firstID);
        QFETCH(bool, typeDenied);
        if (typeDenied)
            m_server->addFault({ u"/type"_s, 0ms, false, u"denied"_s });
        const WriteBackResult result
            = writeBack({ candidate(firstID, u"a"_s), candidate(thunder, u"b"_s) });
        QCOMPARE(result.total, 2);
        QCOMPARE(result.errors, 2);
        QCOMPARE(result.written, 0);
        QVERIFY(!result.denied);
        QVERIFY(result.errorMessage->startsWith(u"Descriptions were not written."_s));
        QVERIFY(noteAddresses().isEmpty());
        QCOMPARE(notesOf(thunder), QString());
    }

    void mixedStatuses()
    {
        m_server->addFault({ u"/cue_id/F-PRESHOW/notes"_s, 0ms, false, u"error"_s });
        m_server->addFault({ u"/cue_id/A-THUNDER/notes"_s, 0ms, true, {} });
        const WriteBackResult result
            = writeBack({ candidate(preshow, u"a"_s), candidate(fadePreshow, u"b"_s),
                candidate(thunder, u"c"_s), candidate(rain, u"d"_s), candidate(u""_s, u"e"_s) });
        // A note without an answer is not known to be written.
        QCOMPARE(result, (WriteBackResult { 4, 2, 1, 2, false, std::nullopt }));
        QCOMPARE(notesOf(rain), u"d"_s);
    }

    void accessDenied()
    {
        m_server->addFault({ u"/cue_id/G-STORM/notes"_s, 0ms, false, u"denied"_s });
        m_server->addFault({ u"/cue_id/F-PRESHOW/notes"_s, 0ms, false, u"error"_s });
        const WriteBackResult result
            = writeBack({ candidate(preshow, u"a"_s), candidate(fadePreshow, u"b"_s),
                candidate(storm, u"c"_s), candidate(thunder, u"d"_s), candidate(rain, u"e"_s) });
        QCOMPARE(result.total, 5);
        QCOMPARE(result.written, 1);
        QCOMPARE(result.errors, 4);
        QVERIFY(result.denied);
        QVERIFY(result.errorMessage->startsWith(u"Access denied.\n\nEdit level is required"_s));
    }

    void twoWriteBacksBackToBack()
    {
        std::optional<WriteBackResult> first;
        std::optional<WriteBackResult> second;
        writeBackDescriptions({ candidate(preshow, u"one"_s), candidate(thunder, u"two"_s) },
            *m_writer, [&](const WriteBackResult &r) { first = r; });
        writeBackDescriptions(
            { candidate(preshow, u"three"_s) }, *m_writer, [&](const WriteBackResult &r) {
                QVERIFY(first); // the second waits for the first
                second = r;
            });
        QTRY_VERIFY_WITH_TIMEOUT(second.has_value(), 10000);
        QCOMPARE(*first, (WriteBackResult { 2, 2, 0, 0, false, std::nullopt }));
        QCOMPARE(*second, (WriteBackResult { 1, 1, 0, 0, false, std::nullopt }));
        QCOMPARE(notesOf(preshow), u"three"_s);
        QCOMPARE(notesOf(thunder), u"two"_s);
        QList<int> connections;
        for (const FakeQLabServer::ReceivedMessage &message : m_server->log())
            connections.append(message.connection);
        QVERIFY(std::is_sorted(connections.cbegin(), connections.cend()));
        QCOMPARE(connections.last(), 2);
    }
};

QTEST_GUILESS_MAIN(TestNotesWriter)
#include "tst_noteswriter.moc"
