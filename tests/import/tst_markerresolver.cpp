#include "FakeQLabServer.h"
#include "TestSupport.h"
#include "WaitForTask.h"
#include "WorkspaceFixture.h"

#include "import/ImportQueries.h"
#include "import/ImportStateMachine.h"
#include "import/MarkerResolver.h"
#include "import/ProjectLoader.h"
#include "qlab/QLab_OSCClient.h"

#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

class NoProjects : public ProjectLoader
{
public:
    void loadProject(const QLabProject &) override { }
};

QStringList row(const QString &type, const QString &name, const QString &action)
{
    return { type, u"1"_s, name, action, QString(), QString(), u"ID"_s, u"0.00"_s, u"0.00"_s };
}

} // namespace

class TestMarkerResolver : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QString error;
        const auto fixture
            = WorkspaceFixture::load(testData(u"import/data/markers.json"_s), &error);
        QVERIFY2(fixture, qPrintable(error));
        m_server = std::make_unique<FakeQLabServer>(*fixture);
        QVERIFY(m_server->listen());
        m_client = std::make_unique<QLab_OSCClient>(u"127.0.0.1"_s, m_server->port());
        waitForTask(m_client->connectToQLab());
        m_machine = std::make_unique<ImportStateMachine>(m_loader);
        m_queries = std::make_unique<ImportQueries>(
            *m_client, ImportRun(*m_machine, m_machine->currentRunToken()));
    }

    void cleanup() { m_server->clearFaults(); }

    void resolve_data()
    {
        QTest::addColumn<QStringList>("input");
        QTest::addColumn<QString>("action");

        QTest::newRow("nested member named by QLab, indent on every line")
            << row(u"Group (Timeline)"_s, u"Storm"_s,
                   u"Group: Inner {\n  __SWIFT_OSC__|Audio|A-MEMBER\n}"_s)
            << "Group: Inner {\n  Audio \"Rain\"\n     master -3\n     <1-2> -10\n}";

        QTest::newRow("video fade named by the target's display name")
            << row(u"Fade"_s, QString(), u"__SWIFT_OSC_FADE__|F-VIDEO"_s)
            << "Fade \u2192 Backdrop\n   opacity 29%\n   rotation 0\u00B0\n   scale 1.0x2.0";

        QTest::newRow("waits of members")
            << row(u"Group"_s, u"G"_s,
                   u"Memo: a\n   __WAIT__|W-MEMBER\n  Memo: b\n     __WAIT__|W-ZERO\n"
                   u"   __WAIT__|W-MIN\n   __WAIT__|"_s)
            << "Memo: a\n   pre-wait: 0.0s\n   post-wait: 2m\n  Memo: b\n   pre-wait: 1m";

        QTest::newRow("targets") << row(u"Group"_s, u"G"_s,
            u"__TARGET__|Stop|S-5\n  __TARGET__|Stop|S-RAIN\n__TARGET__|Stop|S-NONE\n"
            u"__TARGET__|Stop\n__TARGET__|Stop|UNKNOWN|extra"_s)
                                 << "Stop \u2192 5\n  Stop \u2192 Rain\nStop\nStop\nStop";
        QTest::newRow("MIDI") << row(
            u"Group"_s, u"G"_s, u"__MIDI__|M-1\n  __MIDI__|M-9\n__MIDI__|M-MSC\n__MIDI__|"_s)
                              << "MIDI Note On ch1 60/100\n  MIDI cmd 9 60\nMIDI MSC GO\nMIDI";
        QTest::newRow("wait cues")
            << row(u"Group"_s, u"G"_s, u"__WAIT_CUE__|W-2\n  __WAIT_CUE__|UNKNOWN"_s)
            << "Wait: 3s\n  Wait";
        QTest::newRow("modes of nested groups")
            << row(u"Group"_s, u"G"_s, u"__GROUP__|G-TL|: Inner {\n  __GROUP__|G-7| [12]\n}"_s)
            << "Group (Timeline): Inner {\n  Group [12]\n}";

        QTest::newRow("marker words inside a line are no marker") << row(
            u"Memo"_s, u"M"_s, u"Memo about __WAIT__|W-MIN"_s) << "Memo about __WAIT__|W-MIN";
    }
    void resolve()
    {
        QFETCH(QStringList, input);
        QFETCH(QString, action);
        const MarkerResolver resolver(*m_queries);
        const QList<QStringList> rows = waitForTask(resolver.resolveAll({ input }));
        QCOMPARE(rows.size(), 1);
        QStringList expected = input;
        expected[3] = action;
        QCOMPARE(rows.first(), expected);
    }

    void failedQueriesLeaveHeaders()
    {
        // QLab answers nothing useful: every marker gives way to its header, none stays raw. (A
        // member's waits QLab does not tell stop the import instead, as the pipeline shows.)
        m_server->addFault({ u"/cue_id/"_s, {}, false, u"error"_s });
        const MarkerResolver resolver(*m_queries);
        const QStringList input = row(u"Group"_s, u"G"_s,
            u"__SWIFT_OSC__|Audio|A-MEMBER\n  __SWIFT_OSC_FADE__|F-EMPTY\n"
            u"__TARGET__|Start|S-5\n__MIDI__|M-1\n__NETWORK__|N-1\n__TIMECODE__|T-1\n"
            u"__DEVAMP__|D-1\n__WAIT_CUE__|W-2\n__GROUP__|G-TL|"_s);
        const QList<QStringList> rows = waitForTask(resolver.resolveAll({ input }));
        // No level is made up where QLab told none.
        QCOMPARE(rows.first().at(3),
            u"Audio\n  Fade\n     Audio FX\nStart\nMIDI\nNetwork\nTimecode\nDevamp\nWait\nGroup"_s);
    }

private:
    NoProjects m_loader;
    std::unique_ptr<FakeQLabServer> m_server;
    std::unique_ptr<QLab_OSCClient> m_client;
    std::unique_ptr<ImportStateMachine> m_machine;
    std::unique_ptr<ImportQueries> m_queries;
};

QTEST_GUILESS_MAIN(TestMarkerResolver)
#include "tst_markerresolver.moc"
