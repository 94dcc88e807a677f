#include "ScopedEnvironment.h"
#include "WaitForTask.h"
#include "qlab/AppleScriptProcess.h"
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

class TestAppleScriptRunner : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_environment.emplace();
        m_environment->useFakeOsascript(QStringLiteral(MARROWLARK_FAKEBIN));
    }
    void cleanup() { m_environment.reset(); }

    void results_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no result") << u"delay 0"_s << QString();
        QTest::newRow("inner line feeds kept") << u"return \"a\\nb\""_s << u"a\nb"_s;
        QTest::newRow("only one trailing line feed removed") << u"return \"x\\n\""_s << u"x\n"_s;
        QTest::newRow("UTF-8") << u"return \"Увертюра → 1\""_s << u"Увертюра → 1"_s;
    }
    void results()
    {
        QFETCH(QString, script);
        AppleScriptRunner runner;
        const RunResult result = runAndGetString(runner, script);
        QVERIFY(!result.error);
        QTEST(result.text, "expected");
    }

    void errors_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("exitSwitch");
        QTest::addColumn<QString>("message");
        QTest::newRow("script error")
            << u"error \"QLab got an error: Can’t get cue id \\\"x\\\".\" number -1728"_s
            << QString() << u"QLab got an error: Can’t get cue id \"x\"."_s;
        QTest::newRow("compile error")
            << u"tell"_s << QString() << u"The fake osascript does not know this script."_s;
        QTest::newRow("no message") << u"return \"ignored\""_s << u"1"_s << u"Неизвестная ошибка"_s;
    }
    void errors()
    {
        QFETCH(QString, script);
        QFETCH(QString, exitSwitch);
        QFETCH(QString, message);
        if (!exitSwitch.isEmpty())
            m_environment->set("FAKE_OSASCRIPT_EXIT", exitSwitch);
        AppleScriptRunner runner;
        const RunResult result = runAndGetString(runner, script);
        QVERIFY(result.error);
        QCOMPARE(result.error->kind(), RunnerError::Kind::executionFailed);
        QCOMPARE(result.error->detail(), message);
        QCOMPARE(result.error->description(), u"Ошибка AppleScript: "_s + message);
        QCOMPARE(QString::fromUtf8(result.error->what()), result.error->description());
    }

    // Scripts asked for back to back run one after the other, in that order.
    void runsOneAtATimeInOrder()
    {
        QTemporaryDir folder;
        const QString logPath = folder.filePath(u"log"_s);
        m_environment->set("FAKE_OSASCRIPT_LOG", logPath);
        AppleScriptRunner runner;
        const auto script = [](const QString &name, const QString &delay) {
            return u"log \"start "_s + name + u"\"\ndelay "_s + delay + u"\nlog \"end "_s + name
                + u"\"\nreturn \""_s + name + u'"';
        };
        auto first = runner.runAndGetString(script(u"first"_s, u"0.3"_s));
        auto second = runner.runAndGetString(u"error \"second fails\""_s);
        auto third = runner.runAndGetString(script(u"third"_s, u"0"_s));
        QCOMPARE(waitForTask(std::move(third)), u"third"_s);
        QCOMPARE(waitForTask(std::move(first)), u"first"_s);
        QVERIFY_THROWS_EXCEPTION(RunnerError, waitForTask(std::move(second)));

        QFile log(logPath);
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(log.readAll()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines,
            QStringList({ u"statement"_s, u"start first"_s, u"end first"_s, u"statement"_s,
                u"statement"_s, u"start third"_s, u"end third"_s }));
    }

    void missingOsascriptFailsCreation()
    {
        QTemporaryDir emptyFolder;
        m_environment->set("PATH", emptyFolder.path());
        AppleScriptRunner runner;
        const RunResult first = runAndGetString(runner, u"return \"x\""_s);
        QVERIFY(first.error);
        QCOMPARE(first.error->kind(), RunnerError::Kind::scriptCreationFailed);
        QCOMPARE(first.error->description(), u"Не удалось создать AppleScript"_s);

        // The failure did not hold the queue: once osascript is there, scripts run again.
        m_environment->set("PATH", QStringLiteral(MARROWLARK_FAKEBIN));
        const RunResult second = runAndGetString(runner, u"return \"back\""_s);
        QVERIFY(!second.error);
        QCOMPARE(second.text, u"back"_s);
    }

    void errorReports_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("message");
        QTest::newRow("execution error")
            << u"0:42: execution error: QLab got an error: Can’t get cue. (-1728)\n"_s
            << u"QLab got an error: Can’t get cue."_s;
        QTest::newRow("named source") << u"-:3:9: syntax error: Expected end of line. (-2741)"_s
                                      << u"Expected end of line."_s;
        QTest::newRow("no number") << u"12:30: execution error: plain"_s << u"plain"_s;
        QTest::newRow("other text")
            << u"osascript: something odd\n"_s << u"osascript: something odd"_s;
        QTest::newRow("empty") << QString() << QString();
    }
    void errorReports()
    {
        QFETCH(QString, report);
        QTEST(AppleScriptProcess::errorMessageFromReport(report), "message");
    }

private:
    std::optional<ScopedEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestAppleScriptRunner)
#include "tst_applescriptrunner.moc"
