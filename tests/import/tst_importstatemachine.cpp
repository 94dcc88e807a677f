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

namespace {

struct Loader : ProjectLoader
{
    QList<QLabProject> loaded;
    void loadProject(const QLabProject &project) override { loaded.append(project); }
};

// What the scripted QLab (one workspace, one list) looks like, and what the run went through.
struct Script
{
    QStringList workspaces { u"Show"_s };
    std::function<void()> failAtCheck;
    QStringList trace;
};

// A run along the import road, with QLab replaced by short sleeps and the script above. After
// every await it asks whether it is still the machine's run, and stays silent when not. The
// questions themselves are tested end to end in the import pipeline's tests.
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

    const QString workspace = script->workspaces.first();

    const bool confirmed = co_await run.machine().askExportConfirmation(workspace);
    if (!run.isCurrent())
        co_return script->trace.append(u"stale after confirmation"_s);
    if (!confirmed)
        co_return run.machine().setState(ImportState::idle());

    run.machine().setState(ImportState::importingCues(1, 1, u"Main"_s, 2));
    co_await QCoro::sleepFor(5ms);
    if (!run.isCurrent())
        co_return script->trace.append(u"stale while importing"_s);
    const QList<ImportCueList> imported { { u"Main"_s, {} } };
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

    void animationWithoutProgressToMake_data()
    {
        QTest::addColumn<double>("target");
        QTest::addColumn<double>("duration");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("target below") << 0.2 << 2.0;
        QTest::newRow("nan duration") << 0.5 << nan;
        QTest::newRow("infinite duration") << 0.5 << std::numeric_limits<double>::infinity();
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
