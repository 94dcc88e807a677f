#pragma once

#include "import/CueListInfo.h"
#include "import/ImportRun.h"
#include "import/ImportState.h"
#include "import/PendingAnswer.h"
#include "import/WorkspaceInfo.h"

#include <QCoroTask>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

class ProjectLoader;

// Carries an import from its first question to the loaded project. The import sheet shows a page
// per state and answers through selectWorkspace(), confirmExport(), respondToOSCAccess() and
// selectCueLists(); the run itself is a coroutine that start() launches with a fresh token and
// that suspends at each question until its answer (or a cancel) arrives. Main thread only.
class ImportStateMachine : public QObject
{
    Q_OBJECT
    Q_PROPERTY(ImportState state READ state WRITE setState NOTIFY stateChanged)
    Q_PROPERTY(double importProgress READ importProgress WRITE setImportProgress NOTIFY
            importProgressChanged)
    Q_PROPERTY(QString importStageText READ importStageText WRITE setImportStageText NOTIFY
            importStageTextChanged)
    Q_PROPERTY(double estimatedTotalSeconds READ estimatedTotalSeconds WRITE
            setEstimatedTotalSeconds NOTIFY estimatedTotalSecondsChanged)
    Q_PROPERTY(QString oscPassword READ oscPassword WRITE setOscPassword NOTIFY oscPasswordChanged)
    Q_PROPERTY(bool isCancelled READ isCancelled NOTIFY isCancelledChanged)
    Q_PROPERTY(bool isAnimatingProgress READ isAnimatingProgress NOTIFY isAnimatingProgressChanged)
    Q_PROPERTY(bool isAwaitingWorkspace READ isAwaitingWorkspace NOTIFY workspaceAnswerChanged)
    Q_PROPERTY(bool isAwaitingExportConfirmation READ isAwaitingExportConfirmation NOTIFY
            exportConfirmAnswerChanged)
    Q_PROPERTY(bool isAwaitingOSCAccess READ isAwaitingOSCAccess NOTIFY oscAccessAnswerChanged)
    Q_PROPERTY(bool isAwaitingCueLists READ isAwaitingCueLists NOTIFY cueListsAnswerChanged)

public:
    // The user's answer on the OSC access page.
    struct OSCAccessAction
    {
        enum class Kind { enterPassword, retry, skip };
        Kind kind = Kind::skip;
        QString passcode; // enterPassword only

        static OSCAccessAction enterPassword(const QString &passcode)
        {
            return { Kind::enterPassword, passcode };
        }
        static OSCAccessAction retry() { return { Kind::retry, {} }; }
        static OSCAccessAction skip() { return { Kind::skip, {} }; }

        friend bool operator==(const OSCAccessAction &, const OSCAccessAction &) = default;
    };

    // The body of one import. What it throws ends the run: an ImportError of kind cancelled in
    // idle, any other error in failed with the error's text.
    using Run = std::function<QCoro::Task<>(ImportRun)>;

    explicit ImportStateMachine(ProjectLoader &projectLoader);
    ~ImportStateMachine() override;

    void setRun(Run run) { m_run = std::move(run); }
    ProjectLoader &projectLoader() const { return m_projectLoader; }

    const ImportState &state() const { return m_state; }
    void setState(const ImportState &state);
    double importProgress() const { return m_importProgress; }
    void setImportProgress(double progress);
    QString importStageText() const { return m_importStageText; }
    void setImportStageText(const QString &text);
    double estimatedTotalSeconds() const { return m_estimatedTotalSeconds; }
    void setEstimatedTotalSeconds(double seconds);
    QString oscPassword() const { return m_oscPassword; }
    void setOscPassword(const QString &password);
    bool isCancelled() const { return m_isCancelled; }
    bool isAnimatingProgress() const { return m_progressTimer.isActive(); }

    bool isAwaitingWorkspace() const { return m_workspaceAnswer.has_value(); }
    bool isAwaitingExportConfirmation() const { return m_exportConfirmAnswer.has_value(); }
    bool isAwaitingOSCAccess() const { return m_oscAccessAnswer.has_value(); }
    bool isAwaitingCueLists() const { return m_cueListsAnswer.has_value(); }

    // Launches a run unless one is under way (any state but idle, completed and failed).
    void start();
    // Stops the current run: it gets the refusing answer to its question and stays silent after.
    void cancel();

    // Eases importProgress toward target, about 80 % of the way after duration seconds, never
    // reaching it; ticks every 0.5 s until the next animation, a cancel or stopProgressAnimation().
    void animateProgress(double target, double duration);
    void stopProgressAnimation();

    // The answers. Each resumes only its own question, and at most once.
    void selectWorkspace(const std::optional<WorkspaceInfo> &workspace);
    void confirmExport(bool confirmed);
    void respondToOSCAccess(const OSCAccessAction &action);
    void selectCueLists(const std::optional<QList<CueListInfo>> &cueLists);

    // The questions a run asks: each shows its state and gives the answer to co_await.
    PendingAnswer<std::optional<WorkspaceInfo>> askWorkspace(
        const QList<WorkspaceInfo> &workspaces);
    PendingAnswer<bool> askExportConfirmation(const QString &workspaceName);
    PendingAnswer<OSCAccessAction> askOSCAccess(bool oscAvailable, int refusedPasscodes);
    PendingAnswer<std::optional<QList<CueListInfo>>> askCueLists(const QList<CueListInfo> &lists);

    quint64 currentRunToken() const { return m_runToken; }

signals:
    void stateChanged();
    void importProgressChanged();
    void importStageTextChanged();
    void estimatedTotalSecondsChanged();
    void oscPasswordChanged();
    void isCancelledChanged();
    void isAnimatingProgressChanged();
    void workspaceAnswerChanged();
    void exportConfirmAnswerChanged();
    void oscAccessAnswerChanged();
    void cueListsAnswerChanged();

private:
    static QCoro::Task<> execute(Run run, ImportRun handle);
    void setIsCancelled(bool cancelled);
    void refusePendingAnswers();
    void tickProgress();

    ProjectLoader &m_projectLoader;
    Run m_run;
    quint64 m_runToken = 0;

    ImportState m_state;
    double m_importProgress = 0;
    QString m_importStageText;
    double m_estimatedTotalSeconds = 0;
    QString m_oscPassword;
    bool m_isCancelled = false;

    QTimer m_progressTimer;
    QElapsedTimer m_animationClock;
    double m_animationStart = 0;
    double m_animationTarget = 0;
    double m_animationRate = 0;

    std::optional<PendingAnswer<std::optional<WorkspaceInfo>>> m_workspaceAnswer;
    std::optional<PendingAnswer<bool>> m_exportConfirmAnswer;
    std::optional<PendingAnswer<OSCAccessAction>> m_oscAccessAnswer;
    std::optional<PendingAnswer<std::optional<QList<CueListInfo>>>> m_cueListsAnswer;
};
