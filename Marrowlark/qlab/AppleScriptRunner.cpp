#include "qlab/AppleScriptRunner.h"

#include "model/AppText.h"
#include "qlab/AppleScriptProcess.h"

#include <QCoroSignal>

AppleScriptRunner::RunnerError::RunnerError(Kind kind, const QString &detail)
    : m_kind(kind)
    , m_detail(detail)
    , m_what(description().toUtf8())
{ }

AppleScriptRunner::RunnerError AppleScriptRunner::RunnerError::executionFailed(
    const QString &message)
{
    return RunnerError(Kind::executionFailed, message);
}

AppleScriptRunner::RunnerError AppleScriptRunner::RunnerError::jsonDecodingFailed(
    const QString &message)
{
    return RunnerError(Kind::jsonDecodingFailed, message);
}

AppleScriptRunner::RunnerError AppleScriptRunner::RunnerError::fileReadFailed(
    const QString &message)
{
    return RunnerError(Kind::fileReadFailed, message);
}

AppleScriptRunner::RunnerError AppleScriptRunner::RunnerError::scriptCreationFailed()
{
    return RunnerError(Kind::scriptCreationFailed, {});
}

AppleScriptRunner::RunnerError AppleScriptRunner::RunnerError::noResult()
{
    return RunnerError(Kind::noResult, {});
}

QString AppleScriptRunner::RunnerError::description() const
{
    switch (m_kind) {
    case Kind::executionFailed:
        return AppText::appleScriptError(m_detail);
    case Kind::jsonDecodingFailed:
        return AppText::jsonDecodingError(m_detail);
    case Kind::fileReadFailed:
        return AppText::fileReadError(m_detail);
    case Kind::scriptCreationFailed:
        return AppText::appleScriptNotCreated();
    case Kind::noResult:
        return AppText::scriptReturnedNoResult();
    }
    Q_UNREACHABLE();
}

AppleScriptRunner &AppleScriptRunner::shared()
{
    static AppleScriptRunner *runner = new AppleScriptRunner;
    return *runner;
}

QCoro::Task<QString> AppleScriptRunner::runAndGetString(QString source)
{
    co_return co_await runInTurn(std::move(source));
}

QCoro::Task<> AppleScriptRunner::runIgnoringResult(QString source)
{
    co_await runInTurn(std::move(source));
}

QCoro::Task<QString> AppleScriptRunner::runInTurn(QString source)
{
    // A ticket per call keeps the scripts in the order they were asked for, one at a time.
    const quint64 ticket = m_nextTicket++;
    while (ticket != m_nowServing)
        co_await qCoro(this, &AppleScriptRunner::turnPassed);

    const AppleScriptProcess::Outcome outcome = co_await AppleScriptProcess::run(std::move(source));
    ++m_nowServing;
    emit turnPassed();

    switch (outcome.status) {
    case AppleScriptProcess::Outcome::Status::succeeded:
        co_return outcome.result;
    case AppleScriptProcess::Outcome::Status::notStarted:
        throw RunnerError::scriptCreationFailed();
    case AppleScriptProcess::Outcome::Status::failed:
        throw RunnerError::executionFailed(
            outcome.errorMessage.isEmpty() ? AppText::unknownError() : outcome.errorMessage);
    }
    Q_UNREACHABLE();
}
