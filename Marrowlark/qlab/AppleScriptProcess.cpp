#include "qlab/AppleScriptProcess.h"

#include <QCoroProcess>
#include <QProcess>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

// The script comes on standard input.
const QString osascriptProgram = u"osascript"_s;
const QStringList osascriptArguments = { u"-"_s };

// Resumes the awaiting coroutine once the process has left the Starting state, started or not.
// (QCoro's own wait for the start sees only a successful start and otherwise times out.)
class StartAwaiter
{
public:
    explicit StartAwaiter(QProcess &process)
        : m_process(process)
    { }

    bool await_ready() const { return m_process.state() != QProcess::Starting; }
    void await_suspend(std::coroutine_handle<> awaiting)
    {
        m_connection = QObject::connect(&m_process, &QProcess::stateChanged, &m_process,
            [this, awaiting](QProcess::ProcessState) {
                QObject::disconnect(m_connection);
                // Resumed from the event loop, not from inside QProcess's signal.
                QMetaObject::invokeMethod(
                    &m_process, [awaiting] { awaiting.resume(); }, Qt::QueuedConnection);
            });
    }
    void await_resume() const { }

private:
    QProcess &m_process;
    QMetaObject::Connection m_connection;
};

} // namespace

QCoro::Task<AppleScriptProcess::Outcome> AppleScriptProcess::run(QString source)
{
    Outcome outcome;
    QProcess process;
    // A missing osascript fails at once; a slow start is still a start.
    process.start(osascriptProgram, osascriptArguments);
    co_await StartAwaiter(process);
    if (process.error() == QProcess::FailedToStart) {
        outcome.status = Outcome::Status::notStarted;
        co_return outcome;
    }

    process.write(source.toUtf8());
    process.closeWriteChannel();
    // Scripts wait on QLab and on the user's answers to its dialogs: no time-out.
    if (process.state() != QProcess::NotRunning)
        co_await qCoro(process).waitForFinished(-1);

    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0) {
        outcome.result = QString::fromUtf8(process.readAllStandardOutput());
        if (outcome.result.endsWith(u'\n'))
            outcome.result.chop(1);
        co_return outcome;
    }
    outcome.status = Outcome::Status::failed;
    outcome.errorMessage
        = errorMessageFromReport(QString::fromUtf8(process.readAllStandardError()));
    co_return outcome;
}

QString AppleScriptProcess::errorMessageFromReport(const QString &report)
{
    // "[source:]start:end: execution error: message (number)"; syntax errors alike.
    static const QRegularExpression pattern(
        uR"(^(?:.*?:)?\d+:\d+: (?:execution|syntax) error: (.*?)(?: \(-?\d+\))?$)"_s,
        QRegularExpression::UseUnicodePropertiesOption
            | QRegularExpression::DotMatchesEverythingOption);
    const QString trimmed = report.trimmed();
    const QRegularExpressionMatch match = pattern.match(trimmed);
    return match.hasMatch() ? match.captured(1) : trimmed;
}
