#include "ScopedEnvironment.h"
#include "TestSupport.h"
#include "WaitForTask.h"
#include "model/AppText.h"
#include "model/LanguageManager.h"
#include "qlab/AppleScriptRunner.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using RunnerError = AppleScriptRunner::RunnerError;

namespace {

struct RunResult
{
    QString text;
    std::optional<RunnerError> error;
};

RunResult runAndGetString(AppleScriptRunner &runner, const QString &script)
{
    try {
        return { waitForTask(runner.runAndGetString(script)), std::nullopt };
    } catch (const RunnerError &error) {
        return { {}, error };
    }
}

} // namespace

// The runner is tested against an `osascript` that runs its script as shell commands: what it
// prints, the exit status and the error report are whatever the test writes.
class TestAppleScriptRunner : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(writeFile(
            m_bin.filePath(u"osascript"_s), "#!/bin/sh\n[ \"$1\" = - ] && exec /bin/sh\n"));
        QVERIFY(QFile::setPermissions(m_bin.filePath(u"osascript"_s),
            QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
    void init()
    {
        m_environment.emplace();
        m_environment->prependToPath(m_bin.path());
    }
    void cleanup() { m_environment.reset(); }

    void results_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error"); // empty: none; "*": any text that says so
        QTest::newRow("one trailing line feed removed")
            << u"printf 'a\\nb\\n\\n'"_s << u"a\nb\n"_s << QString();
        QTest::newRow("script error")
            << u"echo '0:42: execution error: QLab got an error: Can’t get cue id \"x\". (-1728)' >&2; exit 1"_s
            << QString() << u"QLab got an error: Can’t get cue id \"x\"."_s;
        QTest::newRow("a report in other words") << u"echo 'osascript: something odd' >&2; exit 1"_s
                                                 << QString() << u"osascript: something odd"_s;
        QTest::newRow("no message") << u"echo ignored; exit 1"_s << QString() << u"*"_s;
    }
    void results()
    {
        QFETCH(QString, script);
        QFETCH(QString, error);
        AppleScriptRunner runner;
        const RunResult result = runAndGetString(runner, script);
        QTEST(result.text, "text");
        QCOMPARE(result.error.has_value(), !error.isEmpty());
        if (!result.error)
            return;
        QCOMPARE(result.error->kind(), RunnerError::Kind::executionFailed);
        QVERIFY(!result.error->detail().isEmpty());
        if (error != u"*")
            QCOMPARE(result.error->detail(), error);
    }

    // Scripts asked for back to back run one after the other, in that order.
    void runsOneAtATimeInOrder()
    {
        QTemporaryDir folder;
        const QString logPath = folder.filePath(u"log"_s);
        m_environment->set("RUNNER_LOG", logPath);
        AppleScriptRunner runner;
        const auto script = [](const QString &name, const QString &delay) {
            return u"echo start %1 >> \"$RUNNER_LOG\"; sleep %2; echo end %1 >> \"$RUNNER_LOG\"; echo %1"_s
                .arg(name, delay);
        };
        auto first = runner.runAndGetString(script(u"first"_s, u"0.3"_s));
        auto second = runner.runAndGetString(u"echo second >> \"$RUNNER_LOG\"; exit 1"_s);
        auto third = runner.runAndGetString(script(u"third"_s, u"0"_s));
        QCOMPARE(waitForTask(std::move(third)), u"third"_s);
        QCOMPARE(waitForTask(std::move(first)), u"first"_s);
        QVERIFY_THROWS_EXCEPTION(RunnerError, waitForTask(std::move(second)));
        QCOMPARE(QString::fromUtf8(readFile(logPath)).split(u'\n', Qt::SkipEmptyParts),
            QStringList({ u"start first"_s, u"end first"_s, u"second"_s, u"start third"_s,
                u"end third"_s }));
    }

    void missingOsascriptFailsCreation()
    {
        QTemporaryDir emptyFolder;
        m_environment->set("PATH", emptyFolder.path());
        AppleScriptRunner runner;
        const RunResult first = runAndGetString(runner, u"echo x"_s);
        QVERIFY(first.error);
        QCOMPARE(first.error->kind(), RunnerError::Kind::scriptCreationFailed);

        // The failure did not hold the queue: once osascript is there, scripts run again.
        m_environment->set("PATH", m_bin.path() + u":/usr/bin:/bin"_s);
        const RunResult second = runAndGetString(runner, u"echo back"_s);
        QVERIFY(!second.error);
        QCOMPARE(second.text, u"back"_s);
    }

    // The errors read in the interface's language of the moment.
    void errorsInTheInterfaceLanguage_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::newRow("English") << AppLanguage::english;
        QTest::newRow("Russian") << AppLanguage::russian;
    }
    void errorsInTheInterfaceLanguage()
    {
        QFETCH(AppLanguage, language);
        LanguageManager::shared().setCurrent(language);
        AppleScriptRunner runner;
        const auto said = [&](const QString &script) {
            const std::optional<RunnerError> error = runAndGetString(runner, script).error;
            return error ? error->description() : QString();
        };
        QCOMPARE(said(u"echo '0:1: execution error: x' >&2; exit 1"_s),
            AppText::appleScriptError(u"x"_s));
        QCOMPARE(said(u"exit 1"_s), AppText::appleScriptError(AppText::unknownError()));
        QCOMPARE(RunnerError::jsonDecodingFailed(u"y"_s).description(),
            AppText::jsonDecodingError(u"y"_s));
        QTemporaryDir emptyFolder;
        m_environment->set("PATH", emptyFolder.path());
        QCOMPARE(said(u"echo x"_s), AppText::appleScriptNotCreated());
    }

private:
    QTemporaryDir m_bin;
    std::optional<ScopedEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestAppleScriptRunner)
#include "tst_applescriptrunner.moc"
