#include "import/ImportError.h"
#include "import/ImportStateMachine.h"
#include "import/ProjectBuilder.h"
#include "import/ProjectLoader.h"
#include "model/LanguageManager.h"

#include <QCoroTimer>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>
#include <memory>

using namespace std::chrono_literals;
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
    QStringList workspaces { QStringLiteral("Show") };
    QString passcode; // empty: access without a passcode
    QList<CueListInfo> lists { { QStringLiteral("L1"), QStringLiteral("Main"), 2, true } };
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
        co_return script->trace.append(QStringLiteral("stale after check"));
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
            co_return script->trace.append(QStringLiteral("stale after workspace"));
        if (!chosen)
            co_return run.machine().setState(ImportState::idle());
        workspace = chosen->name;
    }

    const bool confirmed = co_await run.machine().askExportConfirmation(workspace);
    if (!run.isCurrent())
        co_return script->trace.append(QStringLiteral("stale after confirmation"));
    if (!confirmed)
        co_return run.machine().setState(ImportState::idle());

    run.machine().setState(ImportState::checkingOSC());
    co_await QCoro::sleepFor(1ms);
    if (!run.isCurrent())
        co_return script->trace.append(QStringLiteral("stale after access test"));
    bool granted = script->passcode.isEmpty();
    int refused = 0;
    while (!granted) {
        const Action action = co_await run.machine().askOSCAccess(true, refused);
        if (!run.isCurrent())
            co_return script->trace.append(QStringLiteral("stale after access answer"));
        if (action.kind == Action::Kind::skip)
            break;
        if (action.kind == Action::Kind::retry)
            run.machine().setState(ImportState::checkingOSC());
        else
            run.machine().setOscPassword(action.passcode);
        co_await QCoro::sleepFor(1ms);
        if (!run.isCurrent())
            co_return script->trace.append(QStringLiteral("stale after access test"));
        granted = action.kind == Action::Kind::enterPassword && action.passcode == script->passcode;
        if (!granted && action.kind == Action::Kind::enterPassword)
            ++refused;
    }
    script->trace.append(granted ? QStringLiteral("osc") : QStringLiteral("no osc"));

    run.machine().setState(ImportState::discoveringCueLists());
    co_await QCoro::sleepFor(1ms);
    if (!run.isCurrent())
        co_return script->trace.append(QStringLiteral("stale after discovery"));
    QList<CueListInfo> chosen = script->lists;
    if (chosen.size() > 1) {
        const std::optional<QList<CueListInfo>> answer
            = co_await run.machine().askCueLists(script->lists);
        if (!run.isCurrent())
            co_return script->trace.append(QStringLiteral("stale after lists"));
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
            co_return script->trace.append(QStringLiteral("stale while importing"));
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

    QTemporaryDir m_settingsDir;
    std::unique_ptr<Loader> m_loader;
    std::unique_ptr<ImportStateMachine> m_machine;
    std::shared_ptr<Script> m_script;

    ImportStateMachine &machine() { return *m_machine; }

    bool waitFor(Case kind)
    {
        return QTest::qWaitFor([&] { return m_machine->state().kind() == kind; }, 2000);
    }

private slots:
    // The language switches below must not reach the user's own settings.
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir.path());
    }

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

    void stateNotifiesOnPayloadChanges()
    {
        QSignalSpy changed(&machine(), &ImportStateMachine::stateChanged);
        machine().setState(ImportState::idle());
        QCOMPARE(changed.count(), 0);
        machine().setState(ImportState::importingCues(1, 3, QStringLiteral("A"), 10));
        machine().setState(ImportState::importingCues(2, 3, QStringLiteral("B"), 4));
        machine().setState(ImportState::importingCues(2, 3, QStringLiteral("B"), 4));
        QCOMPARE(changed.count(), 2);
        QCOMPARE(machine().state().importing().name, QStringLiteral("B"));
        machine().setState(ImportState::failed(QStringLiteral("one")));
        machine().setState(ImportState::failed(QStringLiteral("two")));
        QCOMPARE(changed.count(), 4);
        QCOMPARE(machine().state().text(), QStringLiteral("two"));
    }

    void importErrorFollowsLanguage()
    {
        const AppLanguage before = LanguageManager::shared().current();
        const ImportError error(ImportError::Kind::noWorkspaces);
        LanguageManager::shared().setCurrent(AppLanguage::english);
        QCOMPARE(error.errorDescription(), QStringLiteral("No open Workspaces in QLab"));
        LanguageManager::shared().setCurrent(AppLanguage::russian);
        QCOMPARE(error.errorDescription(), QStringLiteral("Нет открытых Workspace в QLab"));
        QCOMPARE(ImportError::scriptError({}).errorDescription(), QString());
        LanguageManager::shared().setCurrent(before);
    }

    void choiceValuesCompareAllFields()
    {
        QVERIFY(WorkspaceInfo::named(QStringLiteral("Show"))
            != WorkspaceInfo::named(QStringLiteral("Show")));
        CueListInfo a { QStringLiteral("1"), QStringLiteral("Main"), 3, true };
        CueListInfo b = a;
        QCOMPARE(a, b);
        b.isSelected = false;
        QVERIFY(a != b);
        QVERIFY(qHash(a) != qHash(b));
    }

    void runsThroughEveryQuestion()
    {
        m_script->workspaces
            = { QStringLiteral("One"), QStringLiteral("Two"), QStringLiteral("Three") };
        m_script->passcode = QStringLiteral("secret");
        m_script->lists = { { QStringLiteral("L1"), QStringLiteral("Main"), 2, true },
            { QStringLiteral("L2"), QStringLiteral("Band"), 5, true } };
        QSignalSpy stateChanged(&machine(), &ImportStateMachine::stateChanged);

        machine().start();
        QVERIFY(waitFor(Case::selectingWorkspace));
        const QList<WorkspaceInfo> offered = machine().state().workspaces();
        QCOMPARE(offered.size(), 3);
        // An answer to another question changes nothing.
        machine().confirmExport(true);
        QTest::qWait(10);
        QCOMPARE(machine().state().kind(), Case::selectingWorkspace);
        QVERIFY(machine().isAwaitingWorkspace());
        machine().selectWorkspace(offered[1]);
        QVERIFY(!machine().isAwaitingWorkspace());
        machine().selectWorkspace(offered[2]); // a second answer resumes nothing
        QVERIFY(waitFor(Case::confirmingExport));
        QCOMPARE(machine().state().text(), QStringLiteral("Two"));

        machine().confirmExport(true);
        QVERIFY(waitFor(Case::requestingOSCAccess));
        QCOMPARE(machine().state().oscAccessRequest().refusedPasscodes, 0);
        const int before = int(stateChanged.count());
        machine().respondToOSCAccess(Action::enterPassword(QStringLiteral("wrong")));
        // A refused passcode asks again, and the page hears of it.
        QVERIFY(QTest::qWaitFor(
            [&] { return machine().state().oscAccessRequest().refusedPasscodes == 1; }, 2000));
        QCOMPARE(stateChanged.count(), before + 1);
        QCOMPARE(machine().oscPassword(), QStringLiteral("wrong"));
        machine().respondToOSCAccess(Action::retry());
        QVERIFY(waitFor(Case::checkingOSC));
        QVERIFY(waitFor(Case::requestingOSCAccess));
        machine().respondToOSCAccess(Action::enterPassword(QStringLiteral("secret")));

        QVERIFY(waitFor(Case::selectingCueLists));
        QList<CueListInfo> lists = machine().state().cueLists();
        QCOMPARE(lists.size(), 2);
        QVERIFY(lists[0].isSelected && lists[1].isSelected);
        lists[0].isSelected = false;
        machine().selectCueLists(lists);
        QVERIFY(waitFor(Case::completed));
        QCOMPARE(m_script->trace, QStringList { QStringLiteral("osc") });
        QCOMPARE(m_loader->loaded.size(), 1);
        QCOMPARE(m_loader->loaded[0].name, QStringLiteral("Two"));
        QCOMPARE(m_loader->loaded[0].cueLists.size(), 1);
        QCOMPARE(m_loader->loaded[0].cueLists[0].name, QStringLiteral("Band"));
        QCOMPARE(machine().state().completion().listCount, 1);
    }

    void refusalsEndInIdle_data()
    {
        QTest::addColumn<int>("question");
        QTest::newRow("no workspace") << 0;
        QTest::newRow("not confirmed") << 1;
        QTest::newRow("no lists chosen") << 3;
    }
    void refusalsEndInIdle()
    {
        QFETCH(int, question);
        m_script->workspaces = { QStringLiteral("A"), QStringLiteral("B") };
        m_script->lists = { { QStringLiteral("1"), QStringLiteral("X"), 1, true },
            { QStringLiteral("2"), QStringLiteral("Y"), 1, true } };
        machine().start();
        QVERIFY(waitFor(Case::selectingWorkspace));
        if (question == 0) {
            machine().selectWorkspace(std::nullopt);
        } else {
            machine().selectWorkspace(machine().state().workspaces().first());
            QVERIFY(waitFor(Case::confirmingExport));
            if (question == 1) {
                machine().confirmExport(false);
            } else {
                machine().confirmExport(true);
                QVERIFY(waitFor(Case::selectingCueLists));
                QList<CueListInfo> lists = machine().state().cueLists();
                for (CueListInfo &list : lists)
                    list.isSelected = false;
                machine().selectCueLists(lists);
            }
        }
        QVERIFY(waitFor(Case::idle));
        QTest::qWait(20);
        QCOMPARE(machine().state().kind(), Case::idle);
        QVERIFY(m_loader->loaded.isEmpty());
    }

    void cancelAtEachQuestion_data()
    {
        QTest::addColumn<Case>("question");
        QTest::addColumn<QString>("staleAt");
        QTest::newRow("workspace") << Case::selectingWorkspace << "stale after workspace";
        QTest::newRow("confirmation") << Case::confirmingExport << "stale after confirmation";
        QTest::newRow("osc access") << Case::requestingOSCAccess << "stale after access answer";
        QTest::newRow("cue lists") << Case::selectingCueLists << "stale after lists";
        QTest::newRow("importing") << Case::importingCues << "stale while importing";
    }
    void cancelAtEachQuestion()
    {
        QFETCH(Case, question);
        QFETCH(QString, staleAt);
        m_script->workspaces = { QStringLiteral("A"), QStringLiteral("B") };
        m_script->passcode = QStringLiteral("p");
        m_script->lists = { { QStringLiteral("1"), QStringLiteral("X"), 1, true },
            { QStringLiteral("2"), QStringLiteral("Y"), 1, true } };
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
                machine().respondToOSCAccess(Action::enterPassword(QStringLiteral("p")));
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
        QVERIFY(!m_script->trace.contains(QStringLiteral("no osc")));
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
        m_script->passcode = QStringLiteral("p");
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
            QStringList { atAccessPage ? QStringLiteral("stale after access answer")
                                       : QStringLiteral("stale after confirmation") });
        // The new run carries on normally.
        m_script->passcode.clear();
        machine().confirmExport(true);
        QVERIFY(waitFor(Case::completed));
        QCOMPARE(m_loader->loaded.size(), 1);
    }

    void startIsIgnoredWhileBusy()
    {
        machine().start();
        QVERIFY(waitFor(Case::confirmingExport));
        machine().setImportStageText(QStringLiteral("busy"));
        machine().start();
        QCOMPARE(machine().importStageText(), QStringLiteral("busy"));
        QCOMPARE(machine().state().kind(), Case::confirmingExport);
    }

    void failureThenSecondStart()
    {
        m_script->workspaces.clear();
        const AppLanguage before = LanguageManager::shared().current();
        LanguageManager::shared().setCurrent(AppLanguage::english);
        machine().start();
        QVERIFY(waitFor(Case::failed));
        QCOMPARE(machine().state().text(), QStringLiteral("No open Workspaces in QLab"));
        LanguageManager::shared().setCurrent(before);

        m_script->workspaces = { QStringLiteral("Show") };
        machine().setImportProgress(0.5);
        machine().setImportStageText(QStringLiteral("Building project…"));
        machine().setEstimatedTotalSeconds(12);
        machine().start();
        QCOMPARE(machine().importProgress(), 0.0);
        QCOMPARE(machine().importStageText(), QString());
        QCOMPARE(machine().estimatedTotalSeconds(), 0.0);
        QVERIFY(!machine().isCancelled());
        QVERIFY(waitFor(Case::confirmingExport));
        machine().confirmExport(true);
        QVERIFY(waitFor(Case::completed));
        QCOMPARE(machine().state().completion().projectName, QStringLiteral("Show"));
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
                throw ImportError::scriptError(QStringLiteral("Скрипт упал"));
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
            [&] { return m_script->trace.contains(QStringLiteral("stale after confirmation")); },
            2000));
    }

    void animationEasesTowardTarget()
    {
        machine().setImportProgress(0.3);
        QSignalSpy progress(&machine(), &ImportStateMachine::importProgressChanged);
        machine().animateProgress(0.5, 2.0);
        QVERIFY(machine().isAnimatingProgress());
        QVERIFY(progress.wait(2000));
        // One tick, about half a second in: 0.3 + 0.2 * (1 - e^-0.4) = 0.366.
        QVERIFY2(std::abs(machine().importProgress() - 0.366) < 0.01,
            qPrintable(QString::number(machine().importProgress())));
        QVERIFY(progress.wait(2000));
        QVERIFY(machine().importProgress() <= 0.495);
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
        QTest::newRow("target at start") << 0.3 << 2.0;
        QTest::newRow("zero duration") << 0.5 << 0.0;
        QTest::newRow("negative duration") << 0.5 << -1.0;
        QTest::newRow("nan duration") << 0.5 << nan;
        QTest::newRow("infinite duration") << 0.5 << inf;
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

    void animationStopsShortOfTarget()
    {
        machine().setImportProgress(0.3);
        machine().animateProgress(0.303, 1.0);
        QSignalSpy progress(&machine(), &ImportStateMachine::importProgressChanged);
        QVERIFY(progress.wait(2000));
        QCOMPARE(machine().importProgress(), 0.303 - 0.005);
    }
};

QTEST_GUILESS_MAIN(TestImportStateMachine)
#include "tst_importstatemachine.moc"
