#include "TestSupport.h"
#include "import/ImportError.h"
#include "import/ImportStateMachine.h"
#include "import/ProjectBuilder.h"
#include "import/ProjectLoader.h"

#include <QCoroTimer>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <limits>
#include <memory>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;
using Case = ImportState::Case;
using Action = ImportStateMachine::OSCAccessAction;

namespace {

struct Loader : ProjectLoader
{
    QList<QLabProject> loaded;
    void loadProject(const QLabProject &project) override { loaded.append(project); }
};

// What the scripted QLab looks like, and what the run went through.
struct Script
{
    QStringList workspaces { u"Show"_s };
    QString passcode; // empty: access without a passcode
    QList<CueListInfo> lists { { u"L1"_s, u"Main"_s, 2, true } };
    std::function<void()> failAtCheck;
    QStringList trace;
};

// A run along the import road, with QLab replaced by short sleeps and the script above. After
// every await it asks whether it is still the machine's run, and stays silent when not.
QCoro::Task<> scriptedRun(ImportRun run, std::shared_ptr<Script> script)
{
    run.machine().setState(ImportState::checkingQLab());
    co_await QCoro::sleepFor(1ms);
    if (!run.isCurrent())
        co_return script->trace.append(u"stale after check"_s);
    if (script->failAtCheck)
        script->failAtCheck();
    if (script->workspaces.isEmpty())
        throw ImportError(ImportError::Kind::noWorkspaces);

    QString workspace = script->workspaces.first();
    if (script->workspaces.size() > 1) {
        QList<WorkspaceInfo> offered;
        for (const QString &name : std::as_const(script->workspaces))
            offered.append(WorkspaceInfo::named(name));
        const std::optional<WorkspaceInfo> chosen = co_await run.machine().askWorkspace(offered);
        if (!run.isCurrent())
            co_return script->trace.append(u"stale after workspace"_s);
        if (!chosen)
            co_return run.machine().setState(ImportState::idle());
        workspace = chosen->name;
    }

    const bool confirmed = co_await run.machine().askExportConfirmation(workspace);
    if (!run.isCurrent())
        co_return script->trace.append(u"stale after confirmation"_s);
    if (!confirmed)
        co_return run.machine().setState(ImportState::idle());

    run.machine().setState(ImportState::checkingOSC());
    co_await QCoro::sleepFor(1ms);
    if (!run.isCurrent())
        co_return script->trace.append(u"stale after access test"_s);
    bool granted = script->passcode.isEmpty();
    int refused = 0;
    while (!granted) {
        const Action action = co_await run.machine().askOSCAccess(true, refused);
        if (!run.isCurrent())
            co_return script->trace.append(u"stale after access answer"_s);
        if (action.kind == Action::Kind::skip)
            break;
        if (action.kind == Action::Kind::retry)
            run.machine().setState(ImportState::checkingOSC());
        else
            run.machine().setOscPassword(action.passcode);
        co_await QCoro::sleepFor(1ms);
        if (!run.isCurrent())
            co_return script->trace.append(u"stale after access test"_s);
        granted = action.kind == Action::Kind::enterPassword && action.passcode == script->passcode;
        if (!granted && action.kind == Action::Kind::enterPassword)
            ++refused;
    }
    script->trace.append(granted ? u"osc"_s : u"no osc"_s);

    run.machine().setState(ImportState::discoveringCueLists());
    co_await QCoro::sleepFor(1ms);
    if (!run.isCurrent())
        co_return script->trace.append(u"stale after discovery"_s);
    QList<CueListInfo> chosen = script->lists;
    if (chosen.size() > 1) {
        const std::optional<QList<CueListInfo>> answer
            = co_await run.machine().askCueLists(script->lists);
        if (!run.isCurrent())
            co_return script->trace.append(u"stale after lists"_s);
        chosen.clear();
        for (const CueListInfo &list : answer.value_or(QList<CueListInfo> {}))
            if (list.isSelected)
                chosen.append(list);
        if (chosen.isEmpty())
            co_return run.machine().setState(ImportState::idle());
    }

    QList<ImportCueList> imported;
    for (qsizetype i = 0; i < chosen.size(); ++i) {
        run.machine().setState(ImportState::importingCues(
            int(i + 1), int(chosen.size()), chosen[i].name, chosen[i].cueCount));
        co_await QCoro::sleepFor(5ms);
        if (!run.isCurrent())
            co_return script->trace.append(u"stale while importing"_s);
        imported.append({ chosen[i].name, {} });
    }
    const QLabProject project = ProjectBuilder::projectFromImport(workspace, imported);
    run.machine().projectLoader().loadProject(project);
    run.machine().setState(
        ImportState::completed(workspace, int(imported.size()), project.totalCueCount()));
}

} // namespace

class TestImportStateMachine : public QObject
{
    Q_OBJECT

    std::unique_ptr<Loader> m_loader;
    std::unique_ptr<ImportStateMachine> m_machine;
    std::shared_ptr<Script> m_script;

    ImportStateMachine &machine() { return *m_machine; }

    bool waitFor(Case kind)
    {
        return QTest::qWaitFor([&] { return m_machine->state().kind() == kind; }, 2000);
    }

private slots:
    void initTestCase() { useLanguage(AppLanguage::english); }

    void init()
    {
        m_loader = std::make_unique<Loader>();
        m_machine = std::make_unique<ImportStateMachine>(*m_loader);
        m_script = std::make_shared<Script>();
        m_machine->setRun([script = m_script](ImportRun run) { return scriptedRun(run, script); });
    }

    void cleanup()
    {
        m_machine.reset();
        // Let runs that were refused by the machine's end finish.
        QTest::qWait(20);
        m_loader.reset();
    }

    void runsThroughEveryQuestion()
    {
        m_script->workspaces = { u"One"_s, u"Two"_s, u"Three"_s };
        m_script->passcode = u"secret"_s;
        m_script->lists = { { u"L1"_s, u"Main"_s, 2, true }, { u"L2"_s, u"Band"_s, 5, true } };
        QSignalSpy stateChanged(&machine(), &ImportStateMachine::stateChanged);

        machine().start();
        QVERIFY(waitFor(Case::selectingWorkspace));
        const QList<WorkspaceInfo> offered = machine().state().workspaces();
        QCOMPARE(offered.size(), 3);
        // A second start while busy and an answer to another question change nothing.
        machine().setImportStageText(u"busy"_s);
        machine().start();
        QCOMPARE(machine().importStageText(), u"busy"_s);
        machine().confirmExport(true);
        QTest::qWait(10);
        QCOMPARE(machine().state().kind(), Case::selectingWorkspace);
        QVERIFY(machine().isAwaitingWorkspace());
        machine().selectWorkspace(offered[1]);
        QVERIFY(!machine().isAwaitingWorkspace());
        machine().selectWorkspace(offered[2]); // a second answer resumes nothing
        QVERIFY(waitFor(Case::confirmingExport));
        QCOMPARE(machine().state().text(), u"Two"_s);

        machine().confirmExport(true);
        QVERIFY(waitFor(Case::requestingOSCAccess));
        QCOMPARE(machine().state().oscAccessRequest().refusedPasscodes, 0);
        const int before = int(stateChanged.count());
        machine().respondToOSCAccess(Action::enterPassword(u"wrong"_s));
        // A refused passcode asks again, and the page hears of it.
        QVERIFY(QTest::qWaitFor(
            [&] { return machine().state().oscAccessRequest().refusedPasscodes == 1; }, 2000));
        QCOMPARE(stateChanged.count(), before + 1);
        QCOMPARE(machine().oscPassword(), u"wrong"_s);
        machine().respondToOSCAccess(Action::retry());
        QVERIFY(waitFor(Case::checkingOSC));
        QVERIFY(waitFor(Case::requestingOSCAccess));
        machine().respondToOSCAccess(Action::enterPassword(u"secret"_s));

        QVERIFY(waitFor(Case::selectingCueLists));
        QList<CueListInfo> lists = machine().state().cueLists();
        QCOMPARE(lists.size(), 2);
        QVERIFY(lists[0].isSelected && lists[1].isSelected);
        lists[0].isSelected = false;
        machine().selectCueLists(lists);
        QVERIFY(waitFor(Case::completed));
        QCOMPARE(m_script->trace, QStringList { u"osc"_s });
        QCOMPARE(m_loader->loaded.size(), 1);
        QCOMPARE(m_loader->loaded[0].name, u"Two"_s);
        QCOMPARE(m_loader->loaded[0].cueLists.size(), 1);
        QCOMPARE(m_loader->loaded[0].cueLists[0].name, u"Band"_s);
        QCOMPARE(machine().state().completion().listCount, 1);
    }

    void cancelAtEachQuestion_data()
    {
        QTest::addColumn<Case>("question");
        QTest::addColumn<QString>("staleAt");
        QTest::newRow("workspace") << Case::selectingWorkspace << "stale after workspace";
        QTest::newRow("osc access") << Case::requestingOSCAccess << "stale after access answer";
        QTest::newRow("importing") << Case::importingCues << "stale while importing";
    }
    void cancelAtEachQuestion()
    {
        QFETCH(Case, question);
        QFETCH(QString, staleAt);
        m_script->workspaces = { u"A"_s, u"B"_s };
        m_script->passcode = u"p"_s;
        m_script->lists = { { u"1"_s, u"X"_s, 1, true }, { u"2"_s, u"Y"_s, 1, true } };
        connect(&machine(), &ImportStateMachine::stateChanged, this, [&] {
            const ImportState state = machine().state();
            if (state.kind() == question)
                return;
            // Answer every question before the one under test.
            if (state.kind() == Case::selectingWorkspace)
                machine().selectWorkspace(state.workspaces().first());
            else if (state.kind() == Case::confirmingExport)
                machine().confirmExport(true);
            else if (state.kind() == Case::requestingOSCAccess)
                machine().respondToOSCAccess(Action::enterPassword(u"p"_s));
            else if (state.kind() == Case::selectingCueLists)
                machine().selectCueLists(state.cueLists());
        });
        machine().start();
        QVERIFY(waitFor(question));
        machine().setImportProgress(0.4);
        machine().animateProgress(0.9, 10);
        machine().cancel();
        QCOMPARE(machine().state().kind(), Case::idle);
        QVERIFY(machine().isCancelled());
        QVERIFY(!machine().isAnimatingProgress());
        QCOMPARE(machine().importProgress(), 0.0);
        QVERIFY(!machine().isAwaitingWorkspace() && !machine().isAwaitingExportConfirmation()
            && !machine().isAwaitingOSCAccess() && !machine().isAwaitingCueLists());
        QVERIFY(QTest::qWaitFor([&] { return m_script->trace.contains(staleAt); }, 2000));
        // Cancelling at the access page answers skip, yet the run does not go on without OSC.
        QVERIFY(!m_script->trace.contains(u"no osc"_s));
        QCOMPARE(machine().state().kind(), Case::idle);
        QVERIFY(m_loader->loaded.isEmpty());
    }

    void cancelThenStartWhileAnswerPending_data()
    {
        QTest::addColumn<bool>("atAccessPage");
        QTest::newRow("confirmation") << false;
        QTest::newRow("osc access") << true;
    }
    void cancelThenStartWhileAnswerPending()
    {
        QFETCH(bool, atAccessPage);
        m_script->passcode = u"p"_s;
        machine().start();
        QVERIFY(waitFor(Case::confirmingExport));
        if (atAccessPage) {
            machine().confirmExport(true);
            QVERIFY(waitFor(Case::requestingOSCAccess));
        }
        // What the window does for a new import: the old run's refusal is still queued.
        machine().cancel();
        machine().setState(ImportState::idle());
        machine().start();
        QCOMPARE(machine().state().kind(), Case::checkingQLab);
        QVERIFY(waitFor(Case::confirmingExport));
        QTest::qWait(20);
        QCOMPARE(machine().state().kind(), Case::confirmingExport);
        QVERIFY(machine().isAwaitingExportConfirmation());
        QCOMPARE(m_script->trace,
            QStringList {
                atAccessPage ? u"stale after access answer"_s : u"stale after confirmation"_s });
        // The new run carries on normally.
        m_script->passcode.clear();
        machine().confirmExport(true);
        QVERIFY(waitFor(Case::completed));
        QCOMPARE(m_loader->loaded.size(), 1);
    }

    void failureThenSecondStart()
    {
        m_script->workspaces.clear();
        machine().start();
        QVERIFY(waitFor(Case::failed));
        QCOMPARE(machine().state().text(), u"No open Workspaces in QLab"_s);

        m_script->workspaces = { u"Show"_s };
        machine().setImportProgress(0.5);
        machine().setImportStageText(u"Building project…"_s);
        machine().setEstimatedTotalSeconds(12);
        machine().start();
        QCOMPARE(machine().importProgress(), 0.0);
        QCOMPARE(machine().importStageText(), QString());
        QCOMPARE(machine().estimatedTotalSeconds(), 0.0);
        QVERIFY(!machine().isCancelled());
        QVERIFY(waitFor(Case::confirmingExport));
        machine().confirmExport(true);
        QVERIFY(waitFor(Case::completed));
        QCOMPARE(machine().state().completion().projectName, u"Show"_s);
    }

    void thrownErrorsEndTheRun_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<Case>("end");
        QTest::addColumn<QString>("message");
        QTest::newRow("script error") << 0 << Case::failed << "Скрипт упал";
        QTest::newRow("other error") << 1 << Case::failed << "socket closed";
        QTest::newRow("cancellation") << 2 << Case::idle << "";
    }
    void thrownErrorsEndTheRun()
    {
        QFETCH(int, kind);
        QFETCH(Case, end);
        QFETCH(QString, message);
        m_script->failAtCheck = [kind] {
            if (kind == 0)
                throw ImportError::scriptError(u"Скрипт упал"_s);
            if (kind == 1)
                throw std::runtime_error("socket closed");
            throw ImportError(ImportError::Kind::cancelled);
        };
        machine().animateProgress(0.5, 10);
        machine().start();
        QVERIFY(waitFor(end));
        QCOMPARE(machine().state().text(), message);
        QVERIFY(!machine().isAnimatingProgress());
    }

    void machineGoneWhileRunWaits()
    {
        machine().start();
        QVERIFY(waitFor(Case::confirmingExport));
        m_machine.reset();
        QVERIFY(QTest::qWaitFor(
            [&] { return m_script->trace.contains(u"stale after confirmation"_s); }, 2000));
    }

    void animationEasesTowardTarget()
    {
        machine().setImportProgress(0.3);
        QSignalSpy progress(&machine(), &ImportStateMachine::importProgressChanged);
        machine().animateProgress(0.5, 2.0);
        QVERIFY(machine().isAnimatingProgress());
        QVERIFY(progress.wait(2000));
        const double first = machine().importProgress();
        QVERIFY(first > 0.3 && first < 0.5);
        QVERIFY(progress.wait(2000));
        QVERIFY(machine().importProgress() > first && machine().importProgress() < 0.5);
        machine().stopProgressAnimation();
        QVERIFY(!machine().isAnimatingProgress());
    }

    void animationWithoutProgressToMake_data()
    {
        QTest::addColumn<double>("target");
        QTest::addColumn<double>("duration");
        const double inf = std::numeric_limits<double>::infinity();
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("target below") << 0.2 << 2.0;
        QTest::newRow("nan duration") << 0.5 << nan;
        QTest::newRow("nan target") << nan << 2.0;
    }
    void animationWithoutProgressToMake()
    {
        QFETCH(double, target);
        QFETCH(double, duration);
        machine().setImportProgress(0.3);
        machine().animateProgress(0.9, 5.0);
        QVERIFY(machine().isAnimatingProgress());
        machine().animateProgress(target, duration);
        QVERIFY(!machine().isAnimatingProgress());
        QTest::qWait(600);
        QCOMPARE(machine().importProgress(), 0.3);
    }
};

QTEST_GUILESS_MAIN(TestImportStateMachine)
#include "tst_importstatemachine.moc"
