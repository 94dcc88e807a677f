#pragma once

#include "WorkspaceFixture.h"

#include <QString>

#include <optional>

// The fake `osascript`: recognises each AppleScript program that Marrowlark runs and answers it
// with the canned answers the fixture holds, writing result files where the script says. A script
// addresses the workspace it names in `set workspaceName to "..."`, else the front (first) one.
// Scripts it does not know fail.
//
// Recognised, by kind (the name used in the log and by FAKE_OSASCRIPT_FAIL_ONLY):
//   trigger    "set idList to {...}" and outputFile: writes {id: the cue's "trigger text"} JSON
//   import     calls GetCueDataOSC(targetList, oscEnabled): writes {"name", "cues"} JSON, the
//              cues being the list's "cue rows" (with OSC on, "cue rows with OSC" if present)
//   oscTest    defines ConnectionReport; oscDebug defines FadeReport (no output)
//   check      mentions "workspaceCount": prints {"running", "workspaceCount", "workspaceNames"}
//   listing    mentions "cueCount": prints [{"id", "name", "cueCount"}, ...]
//
// Switches (environment):
//   FAKE_QLAB_WORKSPACE=<fixture.json>   the workspaces (needed by every QLab script)
//   FAKE_QLAB_NOT_RUNNING=1              QLab is not running (also "qlabRunning": false)
//   FAKE_OSASCRIPT_ERROR=<message>       fail with this message, as an execution error
//   FAKE_OSASCRIPT_EXIT=<status>         fail with this exit status and no message at all
//   FAKE_OSASCRIPT_FAIL_ONLY=<kind>      the two above apply to this kind of script only
//   FAKE_OSASCRIPT_NO_FILES=1            write no result file (as when the write fails)
//   FAKE_OSASCRIPT_RESULT_TEXT=<text>    write this text into result files instead
//   FAKE_OSASCRIPT_LOG=<file>            append each script's kind, one a line
class FakeOsascript
{
public:
    struct Switches
    {
        QString workspacePath;
        bool qlabNotRunning = false;
        QString errorMessage;
        int silentExitStatus = 0;
        QString failOnly;
        bool noFiles = false;
        std::optional<QString> resultText;
        QString logPath;

        static Switches fromEnvironment();
    };

    struct Answer
    {
        int exitStatus = 0;
        QString output; // standard output, without the line feed osascript adds
        QString error; // standard error
    };

    explicit FakeOsascript(const Switches &switches);

    static QString kindOf(const QString &script);
    Answer run(const QString &script);

private:
    Answer answerTrigger(const QString &script);
    Answer answerImport(const QString &script);
    Answer answerDiagnostic();
    Answer answerCheck();
    Answer answerListing(const QString &script);
    const WorkspaceFixture::Workspace *addressed(const QString &script) const;
    Answer noSuchWorkspace(const QString &script) const;

    // Loads the fixture; an answer when QLab cannot answer (no fixture, not running, no workspace).
    std::optional<Answer> qlabUnavailable(bool needsWorkspace);
    Answer executionError(const QString &message, int number) const;
    void writeResult(const QString &path, const QString &json) const;
    void log(const QString &line) const;

    Switches m_switches;
    std::optional<WorkspaceFixture> m_fixture;
    qsizetype m_scriptLength = 0;
};
