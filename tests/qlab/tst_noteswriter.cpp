#include "../import/ImportFixtures.h"
#include "FakeQLabServer.h"
#include "TestSupport.h"
#include "qlab/QLabPasscodes.h"
#include "qlab/QLab_NotesWriter.h"
#include "qlab/WriteBackDescriptions.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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
const QString thunder = u"A-THUNDER"_s;
const QString rain = u"A-RAIN-OFF"_s;

// The show, and copies of it (the same cue ids) under the given names and new ids.
WorkspaceFixture showWithCopies(const QStringList &copyNames = {},
    const QJsonArray &noPasscodeRights = { u"view"_s, u"edit"_s, u"control"_s })
{
    QJsonObject show = ImportFixtures::withFrontWorkspace(ImportFixtures::showFixture(),
        [&](QJsonObject &front) { front.insert(u"noPasscodePermissions"_s, noPasscodeRights); });
    QJsonArray workspaces = show.value(u"workspaces").toArray();
    for (const QString &name : copyNames) {
        QJsonObject copy = workspaces.at(0).toObject();
        copy.insert(u"uniqueID"_s, u"COPY-"_s + QString::number(workspaces.size()));
        copy.insert(u"displayName"_s, name);
        workspaces.append(copy);
    }
    show.insert(u"workspaces"_s, workspaces);
    return WorkspaceFixture::fromJson(QJsonDocument(show).toJson(), nullptr).value();
}

} // namespace

class TestNotesWriter : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeQLabServer> m_server;
    std::unique_ptr<QLab_NotesWriter> m_writer;

    QString notesOf(const QString &cueID, qsizetype workspace = 0) const
    {
        return m_server->fixture().workspaces().at(workspace).cue(cueID)->text(u"notes");
    }

    void serve(const WorkspaceFixture &fixture)
    {
        m_writer.reset();
        m_server = std::make_unique<FakeQLabServer>(fixture);
        QVERIFY(m_server->listen());
        m_writer = std::make_unique<QLab_NotesWriter>(u"127.0.0.1"_s, m_server->port());
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
    WriteBackResult writeBack(const QList<QLabCue> &cues, const QString &project = u"Hamlet"_s)
    {
        std::optional<WriteBackResult> result;
        writeBackDescriptions(
            cues, project, *m_writer, [&](const WriteBackResult &r) { result = r; });
        if (!QTest::qWaitFor([&] { return result.has_value(); }, 20000))
            qFatal("write-back never finished");
        return *result;
    }

private slots:
    void initTestCase() { useLanguage(AppLanguage::english); }

    void init() { serve(showWithCopies()); }
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
        writeBackDescriptions(
            cues, u"Hamlet"_s, *m_writer, [&](const WriteBackResult &r) { result = r; });
        // Handed over at once, without a connection.
        QVERIFY(result && result->errorMessage);
        QCOMPARE(result->total, 0);
        QTest::qWait(50);
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
        // Only the first cue is probed, then the notes go in one batch, all to the one workspace.
        const QString prefix = u"/workspace/"_s + m_server->fixture().workspaces().first().uniqueID;
        QCOMPARE(m_server->receivedAddresses().mid(0, 3),
            (QStringList {
                u"/workspaces"_s, prefix + u"/connect"_s, prefix + u"/cue_id/A-PRESHOW/type"_s }));
        QCOMPARE(noteAddresses().size(), 3);
        QTRY_COMPARE(m_server->openConnections(), 0);
    }

    // Nothing is written: the workspace is not the project's, or it is closed to this program.
    void nothingWritten_data()
    {
        QTest::addColumn<QString>("firstID");
        QTest::addColumn<QStringList>("copies"); // further open workspaces
        QTest::addColumn<QString>("project");
        QTest::addColumn<bool>("locked"); // connections without a passcode may do nothing
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown id") << u"NOPE"_s << QStringList() << u"Hamlet"_s << false
                                    << "Descriptions were not written.";
        QTest::newRow("locked workspace")
            << preshow << QStringList() << u"Hamlet"_s << true << "Access denied.";
        QTest::newRow("the only open workspace is another")
            << preshow << QStringList() << u"Othello"_s << false
            << "No open QLab workspace is named “Othello”.";
        QTest::newRow("no open workspace of the project's name")
            << preshow << QStringList { u"Macbeth"_s } << u"Othello"_s << false
            << "No open QLab workspace is named “Othello”.";
        QTest::newRow("two open workspaces of the project's name")
            << preshow << QStringList { u"Hamlet"_s } << u"Hamlet"_s << false
            << "Several open QLab workspaces are named “Hamlet”.";
    }
    void nothingWritten()
    {
        QFETCH(QString, firstID);
        QFETCH(QStringList, copies);
        QFETCH(QString, project);
        QFETCH(bool, locked);
        QFETCH(QString, message);
        serve(showWithCopies(copies, locked ? QJsonArray() : QJsonArray { u"view"_s }));
        const WriteBackResult result
            = writeBack({ candidate(firstID, u"a"_s), candidate(thunder, u"b"_s) }, project);
        QCOMPARE(result.total, 2);
        QCOMPARE(result.errors, 2);
        QCOMPARE(result.written, 0);
        QCOMPARE(result.denied, locked);
        QVERIFY2(result.errorMessage->startsWith(message), qPrintable(*result.errorMessage));
        QVERIFY(noteAddresses().isEmpty());
        QCOMPARE(notesOf(thunder), QString());
    }

    // A copy of the show open beside it keeps its notes; the project's name picks the workspace.
    void onlyTheProjectsWorkspace()
    {
        serve(showWithCopies({ u"Hamlet (copy)"_s }));
        QCOMPARE(writeBack({ candidate(thunder, u"b"_s) }),
            (WriteBackResult { 1, 1, 0, 0, false, std::nullopt }));
        QCOMPARE(notesOf(thunder, 0), u"b"_s);
        QCOMPARE(notesOf(thunder, 1), QString());
        QCOMPARE(writeBack({ candidate(thunder, u"c"_s) }, u"Hamlet (copy)"_s).written, 1);
        QCOMPARE(notesOf(thunder, 0), u"b"_s);
        QCOMPARE(notesOf(thunder, 1), u"c"_s);
    }

    // The passcode given during the import opens the workspace for the write-back too.
    void passcodeOfTheImport()
    {
        serve(showWithCopies({}, QJsonArray()));
        QVERIFY(writeBack({ candidate(thunder, u"b"_s) }).denied);
        QLabPasscodes::remember(m_server->fixture().workspaces().first().uniqueID, u"1234"_s);
        QCOMPARE(writeBack({ candidate(thunder, u"b"_s) }),
            (WriteBackResult { 1, 1, 0, 0, false, std::nullopt }));
        QCOMPARE(notesOf(thunder), u"b"_s);
    }

    // A first identifier that cannot be sent does not stop the ones after it; a note without an
    // answer is not known to be written.
    void mixedStatuses()
    {
        m_server->addFault({ u"/cue_id/F-PRESHOW/notes"_s, 0ms, false, u"error"_s });
        m_server->addFault({ u"/cue_id/A-THUNDER/notes"_s, 0ms, true, {} });
        const WriteBackResult result = writeBack({ candidate(u"a b"_s, u"x"_s),
            candidate(preshow, u"a"_s), candidate(fadePreshow, u"b"_s), candidate(thunder, u"d"_s),
            candidate(rain, u"e"_s), candidate(u""_s, u"f"_s) });
        QCOMPARE(result, (WriteBackResult { 5, 2, 1, 3, false, std::nullopt }));
        QCOMPARE(notesOf(rain), u"e"_s);
    }

    // QLab answers every message late, one after the other: each note it stores counts as written.
    void lateReplies()
    {
        m_server->addFault({ QString(), 600ms, false, {} });
        QCOMPARE(writeBack({ candidate(preshow, u"a"_s), candidate(fadePreshow, u"b"_s),
                     candidate(thunder, u"c"_s), candidate(rain, u"d"_s) }),
            (WriteBackResult { 4, 4, 0, 0, false, std::nullopt }));
        QCOMPARE(notesOf(rain), u"d"_s);
    }

    void connectionDropsDuringTheBatch()
    {
        // "/workspaces", "/connect", the probe, "/alwaysReply" and the first note arrive; then
        // QLab goes away. The rest of the batch does not wait out the answers it will never get.
        m_server->setCloseAfter(6);
        QElapsedTimer timer;
        timer.start();
        const WriteBackResult result = writeBack(QList<QLabCue>(120, candidate(preshow, u"a"_s)));
        QVERIFY(timer.elapsed() < 4000);
        QCOMPARE(result.total, 120);
        QVERIFY(result.written < 120);
        QCOMPARE(result.written + result.errors, 120);
        // The network's own words, not a bare count of errors.
        QVERIFY(result.errorMessage && !result.errorMessage->isEmpty());
    }

    void twoWriteBacksBackToBack()
    {
        std::optional<WriteBackResult> first;
        std::optional<WriteBackResult> second;
        writeBackDescriptions({ candidate(preshow, u"one"_s), candidate(thunder, u"two"_s) },
            u"Hamlet"_s, *m_writer, [&](const WriteBackResult &r) { first = r; });
        writeBackDescriptions({ candidate(preshow, u"three"_s) }, u"Hamlet"_s, *m_writer,
            [&](const WriteBackResult &r) {
                QVERIFY(first); // the second waits for the first
                second = r;
            });
        QTRY_VERIFY_WITH_TIMEOUT(second.has_value(), 10000);
        QCOMPARE(*first, (WriteBackResult { 2, 2, 0, 0, false, std::nullopt }));
        QCOMPARE(*second, (WriteBackResult { 1, 1, 0, 0, false, std::nullopt }));
        QCOMPARE(notesOf(preshow), u"three"_s);
        QCOMPARE(notesOf(thunder), u"two"_s);
        // One connection after the other, never interleaved.
        QVERIFY(std::is_sorted(m_server->log().cbegin(), m_server->log().cend(),
            [](const auto &a, const auto &b) { return a.connection < b.connection; }));
        QVERIFY(m_server->log().first().connection < m_server->log().last().connection);
    }
};

QTEST_GUILESS_MAIN(TestNotesWriter)
#include "tst_noteswriter.moc"
