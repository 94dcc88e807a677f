#include "TestSupport.h"
#include "import/ImportError.h"
#include "import/ImportStateMachine.h"
#include "import/ProjectBuilder.h"
#include "import/ProjectLoader.h"

#include <QCoroTimer>
#include <QTest>

#include <limits>
#include <memory>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;
using Case = ImportState::Case;

namespace {

struct Loader : ProjectLoader
{
    void loadProject(const QLabProject &) override { }
};

// What the scripted QLab does at its check, and whether the run found itself stale.
struct Script
{
    std::function<void()> failAtCheck;
    bool stale = false;
};

// A run along the import road with QLab replaced by the script above. After every await it asks
// whether it is still the machine's run, and stays silent when not. The questions themselves are
// tested end to end in the import pipeline's tests.
QCoro::Task<> scriptedRun(ImportRun run, std::shared_ptr<Script> script)
{
    run.machine().setState(ImportState::checkingQLab());
    co_await QCoro::sleepFor(1ms);
    if (!run.isCurrent())
        co_return;
    if (script->failAtCheck)
        script->failAtCheck();
    const bool confirmed = co_await run.machine().askExportConfirmation(u"Show"_s);
    if (!run.isCurrent()) {
        script->stale = true;
        co_return;
    }
    if (!confirmed)
        co_return run.machine().setState(ImportState::idle());
    run.machine().projectLoader().loadProject(ProjectBuilder::projectFromImport(u"Show"_s, {}));
    run.machine().setState(ImportState::completed(u"Show"_s, 0, 0));
}

} // namespace

class TestImportStateMachine : public QObject
{
    Q_OBJECT

    Loader m_loader;
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
        m_machine = std::make_unique<ImportStateMachine>(m_loader);
        m_script = std::make_shared<Script>();
        m_machine->setRun([script = m_script](ImportRun run) { return scriptedRun(run, script); });
    }

    void cleanup()
    {
        m_machine.reset();
        // Let runs that were refused by the machine's end finish.
        QTest::qWait(20);
    }

    // What a run throws ends it, and stops the progress animation; the next start begins afresh.
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
        QTEST(machine().state().text(), "message");
        QVERIFY(!machine().isAnimatingProgress());

        m_script->failAtCheck = {};
        machine().setImportProgress(0.5);
        machine().setImportStageText(u"Building project…"_s);
        machine().setEstimatedTotalSeconds(12);
        machine().start();
        QCOMPARE(machine().importProgress(), 0.0);
        QCOMPARE(machine().importStageText(), QString());
        QCOMPARE(machine().estimatedTotalSeconds(), 0.0);
        QVERIFY(waitFor(Case::confirmingExport));
        machine().confirmExport(true);
        QVERIFY(waitFor(Case::completed));
    }

    void machineGoneWhileRunWaits()
    {
        machine().start();
        QVERIFY(waitFor(Case::confirmingExport));
        m_machine.reset();
        QVERIFY(QTest::qWaitFor([&] { return m_script->stale; }, 2000));
    }

    // A target or a duration that is no number stops the animation and moves nothing.
    void animationWithoutProgressToMake()
    {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        for (const auto &[target, duration] : { std::pair(0.5, nan), std::pair(nan, 2.0) }) {
            machine().setImportProgress(0.3);
            machine().animateProgress(0.9, 5.0);
            QVERIFY(machine().isAnimatingProgress());
            machine().animateProgress(target, duration);
            QVERIFY(!machine().isAnimatingProgress());
            QTest::qWait(300);
            QCOMPARE(machine().importProgress(), 0.3);
        }
    }
};

QTEST_GUILESS_MAIN(TestImportStateMachine)
#include "tst_importstatemachine.moc"
