#pragma once

#include <QByteArray>
#include <QCoroTask>
#include <QObject>
#include <QString>

#include <exception>

// Runs the import's AppleScript programs one at a time, in the order they were asked for, and
// hands each result back to its awaiting caller. A script that never ends holds every later one.
class AppleScriptRunner : public QObject
{
    Q_OBJECT

public:
    class RunnerError : public std::exception
    {
    public:
        enum class Kind {
            executionFailed,
            jsonDecodingFailed,
            fileReadFailed,
            scriptCreationFailed,
            noResult,
        };

        static RunnerError executionFailed(const QString &message);
        static RunnerError jsonDecodingFailed(const QString &message);
        static RunnerError fileReadFailed(const QString &message);
        static RunnerError scriptCreationFailed();
        static RunnerError noResult();

        Kind kind() const { return m_kind; }
        // The text the case carries; empty for the cases without one.
        const QString &detail() const { return m_detail; }
        // In the interface's language at the moment of the call.
        QString description() const;
        // The description in the language of the moment the error was made.
        const char *what() const noexcept override { return m_what.constData(); }

    private:
        RunnerError(Kind kind, const QString &detail);

        Kind m_kind;
        QString m_detail;
        QByteArray m_what;
    };

    AppleScriptRunner() = default;

    static AppleScriptRunner &shared();

    // The script's text result; the empty text when it has none. Throws RunnerError.
    QCoro::Task<QString> runAndGetString(QString source);
    // Throws RunnerError.
    QCoro::Task<> runIgnoringResult(QString source);

signals:
    void turnPassed();

private:
    QCoro::Task<QString> runInTurn(QString source);

    quint64 m_nextTicket = 0;
    quint64 m_nowServing = 0;
};
