#include "FakeQLabServer.h"
#include "ImportFixtures.h"
#include "ScopedEnvironment.h"
#include "TestSupport.h"
#include "WorkspaceFixture.h"

#include "import/ImportPipeline.h"
#include "import/ImportStateMachine.h"
#include "model/AppText.h"
#include "model/ProjectJsonWriter.h"
#include "store/ProjectStore.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;
using Case = ImportState::Case;
using Action = ImportStateMachine::OSCAccessAction;
using namespace ImportFixtures;

Q_DECLARE_METATYPE(Case)

namespace {

// Ids and dates are made new by every import; everything else must match the golden project.
QJsonValue withoutIdsAndDates(const QJsonValue &value)
{
    static const QStringList volatileKeys { u"id"_s, u"exportDate"_s, u"lastModified"_s };
    if (value.isArray()) {
        QJsonArray array;
        for (const QJsonValue &element : value.toArray())
            array.append(withoutIdsAndDates(element));
        return array;
    }
    if (!value.isObject())
        return value;
    QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it)
        it.value()
            = volatileKeys.contains(it.key()) ? QJsonValue(u"*"_s) : withoutIdsAndDates(it.value());
    return object;
}

} // namespace

class TestImportPipeline : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { useLanguage(AppLanguage::english); }

    void init()
    {
        m_environment = std::make_unique<ScopedEnvironment>();
        m_environment->useFakeOsascript(QStringLiteral(MARROWLARK_FAKEBIN));
        m_store = std::make_unique<ProjectStore>(ProjectStore::makeNewProject());
        m_states.clear();
        m_stages.clear();
        connect(&machine(), &ImportStateMachine::stateChanged, this,
            [this] { m_states.append(machine().state().kind()); });
        connect(&machine(), &ImportStateMachine::importStageTextChanged, this, [this] {
            m_stages.append({ machine().importStageText(), machine().importProgress() });
        });
    }

    void cleanup()
    {
        m_store.reset();
        m_server.reset();
        m_environment.reset();
    }

    // Passcode refused, then the right one; the front workspace's three lists, two chosen.
    void oscRoadWithPasscode()
    {
        startWith(deniedFixture());
        answerConfirmation(u"Hamlet"_s);
        waitFor(Case::requestingOSCAccess);
        QCOMPARE(machine().state().oscAccessRequest().oscAvailable, true);
        // A retry while QLab still refuses tests again, then asks again.
        m_states.clear();
        machine().respondToOSCAccess(Action::retry());
        QTRY_VERIFY_WITH_TIMEOUT(
            m_states == (QList<Case> { Case::checkingOSC, Case::requestingOSCAccess }), 15000);
        QSignalSpy stateChanges(&machine(), &ImportStateMachine::stateChanged);
        machine().respondToOSCAccess(Action::enterPassword(u"0000"_s));
        QTRY_COMPARE(machine().state().oscAccessRequest().refusedPasscodes, 1);
        QCOMPARE(machine().state().kind(), Case::requestingOSCAccess);
        QCOMPARE(machine().oscPassword(), u"0000"_s);
        QVERIFY(stateChanges.count() >= 1); // the page learns of the refusal
        machine().respondToOSCAccess(Action::enterPassword(u"1234"_s));

        waitFor(Case::selectingCueLists);
        QList<CueListInfo> lists = machine().state().cueLists();
        QCOMPARE(lists.size(), 3);
        QCOMPARE(lists.at(0), (CueListInfo { u"L-MAIN"_s, u"Main Cue List"_s, 14, true }));
        lists[2].isSelected = false;
        machine().selectCueLists(lists);

        waitFor(Case::completed);
        QCOMPARE(machine().state().completion().projectName, u"Hamlet"_s);
        QCOMPARE(machine().state().completion().listCount, 2);
        QCOMPARE(machine().importProgress(), 1.0);
        // Each list takes its share of the progress in turn, never going back.
        QVERIFY(m_stages.size() > 4);
        for (qsizetype i = 1; i < m_stages.size(); ++i)
            QVERIFY2(m_stages.at(i).second >= m_stages.at(i - 1).second,
                qPrintable(m_stages.at(i).first));
        compareWithGolden(u"osc-road"_s);
        // The fade's levels were asked for over OSC, the triggers through AppleScript.
        QVERIFY(sentTo(u"/cue_id/F-PRESHOW/level/0/0"_s));
    }

    // Without proven OSC access the user skips it, and every list comes through the importer
    // script and its result file: QLab refuses the passcode-less connection, refuses "/cueLists"
    // although the connection is open, or takes the connection but never answers. When the chosen
    // workspace does not answer OSC, OSC is not available and no other workspace is read for it.
    void appleScriptRoad_data()
    {
        QTest::addColumn<QJsonObject>("fixture");
        QTest::addColumn<bool>("silent"); // QLab answers nothing
        QTest::addColumn<QString>("refused"); // an address QLab answers with "error"
        QTest::addColumn<QStringList>("answeringOSC"); // none: those AppleScript sees
        QTest::newRow("OSC skipped") << deniedFixture() << false << QString() << QStringList();
        QTest::newRow("/cueLists refused")
            << showFixture() << false << u"/cueLists"_s << QStringList();
        QTest::newRow("QLab silent") << deniedFixture() << true << QString() << QStringList();
        QTest::newRow("the workspace does not answer OSC")
            << showFixture() << false << QString() << QStringList { u"Macbeth"_s };
    }
    void appleScriptRoad()
    {
        QFETCH(QJsonObject, fixture);
        QFETCH(bool, silent);
        QFETCH(QString, refused);
        QFETCH(QStringList, answeringOSC);
        const auto faults = [&](FakeQLabServer &server) {
            if (silent)
                server.addFault({ QString(), {}, true, QString() });
            if (!refused.isEmpty())
                server.addFault({ refused, {}, false, u"error"_s });
        };
        startWith(fixture, faults, answeringOSC);
        answerConfirmation(u"Hamlet"_s);
        waitFor(Case::requestingOSCAccess, 20000);
        QCOMPARE(machine().state().oscAccessRequest().oscAvailable, answeringOSC.isEmpty());
        machine().respondToOSCAccess(Action::skip());
        chooseFirstTwoLists(20000);
        waitFor(Case::completed, 20000);
        compareWithGolden(u"applescript-road"_s);
        // The discovery still tries OSC first, where the workspace answers it.
        QCOMPARE(sentTo(u"/cueLists"_s), answeringOSC.isEmpty());
        QVERIFY(!sentTo(u"/levels"_s));
    }

    // Every question goes to the chosen workspace, also when it is not in front: its passcode is
    // asked for, its lists are read, and a copy of the show beside it is never asked.
    void severalWorkspacesAndLists_data()
    {
        QTest::addColumn<bool>("overOSC");
        QTest::newRow("over OSC") << true;
        QTest::newRow("through AppleScript") << false;
    }
    void severalWorkspacesAndLists()
    {
        QFETCH(bool, overOSC);
        startWith(twoWorkspacesFixture());
        waitFor(Case::selectingWorkspace);
        const QList<WorkspaceInfo> workspaces = machine().state().workspaces();
        QCOMPARE(workspaces.size(), 2);
        QCOMPARE(workspaces.at(0).name, u"Hamlet"_s);
        QCOMPARE(workspaces.at(1).name, u"Macbeth"_s);
        machine().selectWorkspace(workspaces.at(1));
        answerConfirmation(u"Macbeth"_s);
        waitFor(Case::requestingOSCAccess);
        machine().respondToOSCAccess(overOSC ? Action::enterPassword(u"1234"_s) : Action::skip());
        waitFor(Case::selectingCueLists);
        QCOMPARE(machine().state().cueLists().first().name, u"Scottish Play"_s);
        machine().selectCueLists(machine().state().cueLists().mid(0, 1));
        waitFor(Case::completed);
        QCOMPARE(m_store->project().name, u"Macbeth"_s);
        QCOMPARE(m_store->project().cueLists.first().name, u"Scottish Play"_s);
        for (const QString &address : m_server->receivedAddresses())
            QVERIFY2(address == u"/workspaces" || address.startsWith(u"/workspace/WS-SECOND/"),
                qPrintable(address));
    }

    // Open access shows no access page, even when the first list is empty and QLab answers
    // "/cueLists" later than an ordinary query is waited for. A list fetched over OSC without cues
    // is imported as it is: no trigger script, no markers.
    void emptyFirstListSlowlyOverOSC()
    {
        const QString scripts = m_folder.filePath(u"scripts.log"_s);
        m_environment->set("FAKE_OSASCRIPT_LOG", scripts);
        startWith(withCueLists(showFixture(),
                      [](QJsonArray &lists) {
                          QJsonObject main = lists.at(0).toObject();
                          main.insert(u"cues"_s, QJsonArray());
                          lists.replace(0, main);
                      }),
            [](FakeQLabServer &server) {
                server.addFault({ u"/cueLists"_s, std::chrono::milliseconds(3000), false, {} });
            });
        answerConfirmation(u"Hamlet"_s);
        waitFor(Case::selectingCueLists);
        QVERIFY(!m_states.contains(Case::requestingOSCAccess));
        QList<CueListInfo> lists = machine().state().cueLists();
        for (CueListInfo &list : lists)
            list.isSelected = list.id == u"L-MAIN";
        machine().selectCueLists(lists);
        waitFor(Case::completed);
        QCOMPARE(m_store->project().cueLists.size(), 1);
        QVERIFY(m_store->project().cueLists.at(0).cues.isEmpty());
        const QByteArray ran = readFile(scripts);
        QVERIFY2(!ran.contains("trigger") && !ran.contains("import"), ran.constData());
    }

    void refusals_data()
    {
        QTest::addColumn<bool>("atListChoice");
        QTest::newRow("confirmation refused") << false;
        QTest::newRow("every list deselected") << true;
    }
    void refusals()
    {
        QFETCH(bool, atListChoice);
        const QUuid before = m_store->project().id;
        startWith(showFixture());
        waitFor(Case::confirmingExport);
        machine().confirmExport(atListChoice);
        if (atListChoice) {
            waitFor(Case::selectingCueLists);
            QList<CueListInfo> lists = machine().state().cueLists();
            for (CueListInfo &list : lists)
                list.isSelected = false;
            machine().selectCueLists(lists);
        }
        waitFor(Case::idle);
        QTest::qWait(50);
        QCOMPARE(machine().state().kind(), Case::idle);
        QCOMPARE(m_store->project().id, before);
        if (!atListChoice)
            QVERIFY(m_server->log().isEmpty()); // no word to QLab over OSC
    }

    void failures_data()
    {
        QTest::addColumn<QJsonObject>("fixture");
        QTest::addColumn<QStringList>("environment"); // NAME=value
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("closeAfter"); // messages until QLab drops the connection (0: never)
        QTest::addColumn<QStringList>("unanswered"); // addresses QLab never answers

        QTest::newRow("QLab not running")
            << showFixture() << QStringList { u"FAKE_QLAB_NOT_RUNNING=1"_s }
            << "QLab is not running" << 0 << QStringList();
        QJsonObject none = showFixture();
        none.insert(u"workspaces"_s, QJsonArray());
        QTest::newRow("no workspace")
            << none << QStringList() << "No open Workspaces in QLab" << 0 << QStringList();
        QTest::newRow("no cue lists") << withFrontWorkspace(
            showFixture(), [](QJsonObject &front) { front.insert(u"cueLists"_s, QJsonArray()); })
                                      << QStringList() << "No Cue Lists found" << 0
                                      << QStringList();
        QTest::newRow("the check script fails")
            << showFixture()
            << QStringList { u"FAKE_OSASCRIPT_ERROR=QLab got an error"_s,
                   u"FAKE_OSASCRIPT_FAIL_ONLY=check"_s }
            << AppText::appleScriptError(u"QLab got an error"_s) << 0 << QStringList();
        // The connect, the probe, "/cueLists" and a few cues of the enrichment.
        QTest::newRow("the connection dropped in the middle of a list")
            << showFixture() << QStringList() << "" << 12 << QStringList();
        // A list without markers learns of the drop only from its enrichment: its notes and waits
        // would be missing, so the import must not pass for a success.
        const auto memos = [](QJsonArray &lists) {
            QJsonArray cues;
            for (const QString &id : { u"M-1"_s, u"M-2"_s, u"M-3"_s })
                cues.append(QJsonObject { { u"uniqueID"_s, id }, { u"type"_s, u"Memo"_s },
                    { u"number"_s, id }, { u"notes"_s, u"Keep me"_s }, { u"armed"_s, true } });
            QJsonObject list = lists.at(0).toObject();
            list.insert(u"cues"_s, cues);
            lists = QJsonArray { list };
        };
        QTest::newRow("the connection dropped while completing cues")
            << withCueLists(showFixture(), memos) << QStringList() << "" << 4 << QStringList();
        // Notes QLab never sent must not pass for empty ones, nor waits for zero.
        QTest::newRow("notes never answered")
            << showFixture() << QStringList() << "QLab did not send the notes of cue “1”" << 0
            << QStringList { u"/cue_id/A-PRESHOW/valuesForKeys"_s, u"/cue_id/A-PRESHOW/notes"_s };
        QTest::newRow("waits never answered")
            << showFixture() << QStringList() << AppText::waitsNotAnswered(u"3"_s) << 0
            << QStringList { u"/cue_id/G-STORM/valuesForKeys"_s, u"/cue_id/G-STORM/postWait"_s };
        QTest::newRow("a member's waits never answered")
            << showFixture() << QStringList() << AppText::waitsNotAnswered(u"3"_s) << 0
            << QStringList { u"/cue_id/V-STORM/valuesForKeys"_s, u"/cue_id/V-STORM/preWait"_s };
    }
    void failures()
    {
        QFETCH(QJsonObject, fixture);
        QFETCH(QStringList, environment);
        QFETCH(QString, message);
        QFETCH(int, closeAfter);
        QFETCH(QStringList, unanswered);
        for (const QString &setting : environment)
            m_environment->set(qPrintable(setting.section(u'=', 0, 0)), setting.section(u'=', 1));
        const QUuid before = m_store->project().id;
        startWith(fixture, [&](FakeQLabServer &server) {
            server.setCloseAfter(closeAfter);
            for (const QString &address : unanswered)
                server.addFault({ address, {}, true, {} });
        });
        answerUntil(Case::failed);
        const QString text = machine().state().text();
        QVERIFY2(!text.isEmpty() && text.startsWith(message), qPrintable(text));
        QCOMPARE(m_store->project().id, before);
    }

    // What a late answer held is asked for again, and arrives: the notes, the waits, a group
    // member's waits.
    void lateAnswers_data()
    {
        QTest::addColumn<QString>("cueID"); // whose "valuesForKeys" is answered late
        QTest::newRow("notes") << u"A-PRESHOW"_s;
        QTest::newRow("waits") << u"G-STORM"_s;
        QTest::newRow("a member's waits") << u"V-STORM"_s;
    }
    void lateAnswers()
    {
        QFETCH(QString, cueID);
        startWith(showFixture(), [&](FakeQLabServer &server) {
            server.addFault({ u"/cue_id/"_s + cueID + u"/valuesForKeys"_s,
                std::chrono::milliseconds(2500), false, {} });
        });
        answerUntil(Case::completed);
        const QList<QLabCue> &cues = m_store->project().cueLists.first().cues;
        QCOMPARE(cues.at(0).originalNotes, std::optional(u"House open"_s));
        QCOMPARE(cues.at(2).preWait, 1.5);
        QVERIFY2(cues.at(2).action.contains(u"pre-wait: 0.5s"), qPrintable(cues.at(2).action));
    }

    // QLab counts more workspaces than it names: every counted one is offered.
    void moreCountedThanNamed()
    {
        QTemporaryDir bin;
        const QString script = bin.filePath(u"osascript"_s);
        QVERIFY(writeFile(script,
            "#!/bin/sh\ncat >/dev/null\n"
            "echo '{\"running\":true,\"workspaceCount\":3,\"workspaceNames\":[\"A\"]}'\n"));
        QVERIFY(
            QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        m_environment->prependToPath(bin.path());
        startWith(showFixture());
        waitFor(Case::selectingWorkspace);
        QStringList names;
        for (const WorkspaceInfo &workspace : machine().state().workspaces())
            names << workspace.name;
        QCOMPARE(names, (QStringList { u"A"_s, u"Untitled"_s, u"Untitled"_s }));
        machine().selectWorkspace(machine().state().workspaces().first());
        waitFor(Case::confirmingExport);
        QCOMPARE(machine().state().text(), u"A"_s);
        machine().cancel();
    }

    void cancel_data()
    {
        QTest::addColumn<Case>("question");
        QTest::newRow("workspace") << Case::selectingWorkspace;
        QTest::newRow("during a list") << Case::importingCues;
    }
    void cancel()
    {
        QFETCH(Case, question);
        startWith(twoWorkspacesFixture(), [](FakeQLabServer &server) {
            // Slow enough to cancel while the first list is under way.
            server.addFault({ u"/cue_id/"_s, std::chrono::milliseconds(20), false, QString() });
        });
        const QString before = m_store->project().name;
        answerUntil(question);
        machine().cancel();
        QCOMPARE(machine().state().kind(), Case::idle);
        const qsizetype sent = m_server->log().size();
        QTest::qWait(300);
        QCOMPARE(machine().state().kind(), Case::idle);
        QCOMPARE(m_store->project().name, before);
        // The cancelled run stops at its next question to QLab.
        QVERIFY(m_server->log().size() <= sent + 1);
    }

    // The cancelled run is refused its question ("skip") but must not go on beside the new one.
    void cancelThenStartAgain()
    {
        startWith(deniedFixture());
        answerConfirmation(u"Hamlet"_s);
        waitFor(Case::requestingOSCAccess);
        machine().cancel();
        machine().start();
        answerConfirmation(u"Hamlet"_s);
        waitFor(Case::requestingOSCAccess);
        machine().respondToOSCAccess(Action::enterPassword(u"1234"_s));
        chooseFirstTwoLists();
        waitFor(Case::completed);
        compareWithGolden(u"osc-road"_s);
    }

private:
    ImportStateMachine &machine() { return m_store->importMachine(); }

    // Whether QLab was asked for this (an address ending with it, workspace prefix or not).
    bool sentTo(const QString &address) const
    {
        const QStringList sent = m_server->receivedAddresses();
        return std::any_of(sent.cbegin(), sent.cend(),
            [&](const QString &candidate) { return candidate.endsWith(address); });
    }

    // QLab's OSC side answers for the workspaces AppleScript sees, or for answeringOSC only.
    void startWith(const QJsonObject &fixture,
        const std::function<void(FakeQLabServer &)> &faults = {},
        const QStringList &answeringOSC = {})
    {
        QString error;
        m_server = ImportFixtures::serve(m_folder.filePath(u"fixture.json"_s), fixture,
            *m_environment, faults, &error,
            answeringOSC.isEmpty() ? std::nullopt : std::optional(answeringOSCOnly(answeringOSC)));
        QVERIFY2(m_server, qPrintable(error));
        ImportPipeline::install(machine(), u"127.0.0.1"_s, m_server->port());
        machine().start();
    }

    // Answers as a user who wants everything: the first workspace, yes, no OSC, every list.
    void answerUntil(Case kind)
    {
        while (machine().state().kind() != kind) {
            QTRY_VERIFY_WITH_TIMEOUT(machine().isAwaitingWorkspace()
                    || machine().isAwaitingExportConfirmation() || machine().isAwaitingOSCAccess()
                    || machine().isAwaitingCueLists() || machine().state().kind() == kind,
                20000);
            if (machine().state().kind() == kind)
                return;
            if (machine().isAwaitingWorkspace())
                machine().selectWorkspace(machine().state().workspaces().first());
            else if (machine().isAwaitingExportConfirmation())
                machine().confirmExport(true);
            else if (machine().isAwaitingOSCAccess())
                machine().respondToOSCAccess(Action::skip());
            else if (machine().isAwaitingCueLists())
                machine().selectCueLists(machine().state().cueLists());
            QTest::qWait(1);
        }
    }

    void waitFor(Case kind, int timeout = 15000)
    {
        QTRY_COMPARE_WITH_TIMEOUT(machine().state().kind(), kind, timeout);
    }

    // The front workspace's lists but the third (the cart).
    void chooseFirstTwoLists(int timeout = 15000)
    {
        waitFor(Case::selectingCueLists, timeout);
        QList<CueListInfo> lists = machine().state().cueLists();
        QCOMPARE(lists.size(), 3);
        lists[2].isSelected = false;
        machine().selectCueLists(lists);
    }

    void answerConfirmation(const QString &workspaceName)
    {
        waitFor(Case::confirmingExport);
        QCOMPARE(machine().state().text(), workspaceName);
        machine().confirmExport(true);
    }

    void compareWithGolden(const QString &name)
    {
        QString error;
        const std::optional<QByteArray> bytes
            = ProjectJsonWriter::write(m_store->project(), &error);
        QVERIFY2(bytes, qPrintable(error));
        const QJsonValue actual = withoutIdsAndDates(QJsonDocument::fromJson(*bytes).object());
        const QString path = testData(u"import/data/"_s + name + u".json"_s);
        if (qEnvironmentVariableIsSet("MARROWLARK_WRITE_GOLDEN")) {
            QVERIFY(writeFile(path, QJsonDocument(actual.toObject()).toJson()));
        }
        const QJsonObject golden = readJsonObject(path);
        QVERIFY2(!golden.isEmpty(), qPrintable(path));
        if (actual != golden) {
            qWarning().noquote() << QJsonDocument(actual.toObject()).toJson();
            QFAIL(qPrintable(u"the project differs from "_s + path));
        }
    }

    QTemporaryDir m_folder;
    std::unique_ptr<ScopedEnvironment> m_environment;
    std::unique_ptr<FakeQLabServer> m_server;
    std::unique_ptr<ProjectStore> m_store;
    // The states and the stage texts (with the progress at that moment) the machine went through.
    QList<Case> m_states;
    QList<std::pair<QString, double>> m_stages;
};

QTEST_GUILESS_MAIN(TestImportPipeline)
#include "tst_importpipeline.moc"
