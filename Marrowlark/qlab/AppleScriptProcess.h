#pragma once

#include <QCoroTask>
#include <QString>

// Runs one AppleScript program with `osascript -`, the source on standard input. On macOS this is
// the system's own AppleScript; elsewhere whatever `osascript` stands first on PATH, or nothing.
class AppleScriptProcess
{
public:
    struct Outcome
    {
        enum class Status {
            succeeded,
            // osascript could not be started (not installed, not executable).
            notStarted,
            failed,
        };
        Status status = Status::succeeded;
        // The script's result as osascript prints it, less the one line feed it appends.
        QString result;
        // The error message osascript reported; empty when it gave none.
        QString errorMessage;
    };

    static QCoro::Task<Outcome> run(QString source);

    // The message inside an osascript error report such as
    // "0:42: execution error: QLab got an error: Can’t get cue id \"x\". (-1728)".
    static QString errorMessageFromReport(const QString &report);
};
