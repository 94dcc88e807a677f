#include "import/ImportStateMachine.h"

#include "import/ImportError.h"
#include "model/AppText.h"

#include <cmath>
#include <exception>

namespace {

using Signal = void (ImportStateMachine::*)();

// Clears the pending field (telling its observers) before the answer resumes the run.
template <typename T>
void answer(
    ImportStateMachine &machine, std::optional<PendingAnswer<T>> &field, Signal changed, T value)
{
    if (!field)
        return;
    const PendingAnswer<T> pending = *std::exchange(field, std::nullopt);
    emit(machine.*changed)();
    pending.resolve(std::move(value));
}

// A question asked while the same one is still pending replaces it; the old waiter is refused.
template <typename T>
PendingAnswer<T> ask(
    ImportStateMachine &machine, std::optional<PendingAnswer<T>> &field, Signal changed, T refusal)
{
    if (field)
        field->resolve(std::move(refusal));
    field = PendingAnswer<T>();
    emit(machine.*changed)();
    return *field;
}

bool isAtRest(const ImportState &state)
{
    switch (state.kind()) {
    case ImportState::Case::idle:
    case ImportState::Case::completed:
    case ImportState::Case::failed:
        return true;
    default:
        return false;
    }
}

} // namespace

ImportStateMachine::ImportStateMachine(ProjectLoader &projectLoader)
    : m_projectLoader(projectLoader)
{
    m_progressTimer.setInterval(500);
    connect(&m_progressTimer, &QTimer::timeout, this, &ImportStateMachine::tickProgress);
}

ImportStateMachine::~ImportStateMachine()
{
    // A run waiting on a question must still end; it finds its machine gone and stays silent.
    const QSignalBlocker blocker(this);
    refusePendingAnswers();
}

void ImportStateMachine::setState(const ImportState &state)
{
    if (state == m_state)
        return;
    m_state = state;
    emit stateChanged();
}

void ImportStateMachine::setImportProgress(double progress)
{
    if (progress == m_importProgress)
        return;
    m_importProgress = progress;
    emit importProgressChanged();
}

void ImportStateMachine::setImportStageText(const QString &text)
{
    if (text == m_importStageText)
        return;
    m_importStageText = text;
    emit importStageTextChanged();
}

void ImportStateMachine::setEstimatedTotalSeconds(double seconds)
{
    if (seconds == m_estimatedTotalSeconds)
        return;
    m_estimatedTotalSeconds = seconds;
    emit estimatedTotalSecondsChanged();
}

void ImportStateMachine::setOscPassword(const QString &password)
{
    if (password == m_oscPassword)
        return;
    m_oscPassword = password;
    emit oscPasswordChanged();
}

void ImportStateMachine::setIsCancelled(bool cancelled)
{
    if (cancelled == m_isCancelled)
        return;
    m_isCancelled = cancelled;
    emit isCancelledChanged();
}

void ImportStateMachine::start()
{
    if (!isAtRest(m_state) || !m_run)
        return;
    setIsCancelled(false);
    setOscPassword({});
    setImportProgress(0);
    setImportStageText({});
    setEstimatedTotalSeconds(0);
    // Nobody awaits the run; it ends by itself and reports only through the machine.
    execute(m_run, ImportRun(*this, ++m_runToken));
}

void ImportStateMachine::cancel()
{
    setIsCancelled(true);
    stopProgressAnimation();
    refusePendingAnswers();
    setState(ImportState::idle());
    setImportProgress(0);
    setImportStageText({});
    setEstimatedTotalSeconds(0);
}

void ImportStateMachine::refusePendingAnswers()
{
    answer<std::optional<WorkspaceInfo>>(
        *this, m_workspaceAnswer, &ImportStateMachine::workspaceAnswerChanged, std::nullopt);
    answer(*this, m_exportConfirmAnswer, &ImportStateMachine::exportConfirmAnswerChanged, false);
    answer(*this, m_oscAccessAnswer, &ImportStateMachine::oscAccessAnswerChanged,
        OSCAccessAction::skip());
    answer<std::optional<QList<CueListInfo>>>(
        *this, m_cueListsAnswer, &ImportStateMachine::cueListsAnswerChanged, std::nullopt);
}

QCoro::Task<> ImportStateMachine::execute(Run run, ImportRun handle)
{
    std::optional<ImportState> end;
    try {
        co_await run(handle);
    } catch (const ImportError &error) {
        end = error.kind() == ImportError::Kind::cancelled
            ? ImportState::idle()
            : ImportState::failed(error.errorDescription());
    } catch (const std::exception &error) {
        end = ImportState::failed(QString::fromUtf8(error.what()));
    } catch (...) {
        end = ImportState::failed(AppText::unknownError());
    }
    if (end && handle.isCurrent()) {
        handle.machine().stopProgressAnimation();
        handle.machine().setState(*end);
    }
}

void ImportStateMachine::animateProgress(double target, double duration)
{
    stopProgressAnimation();
    const double delta = target - m_importProgress;
    // A duration that is not a positive, finite number gives no rate to ease with.
    if (!(delta > 0) || !std::isfinite(target) || !(duration > 0) || !std::isfinite(duration))
        return;
    m_animationStart = m_importProgress;
    m_animationTarget = target;
    m_animationRate = 1.6 / duration;
    m_animationClock.start();
    m_progressTimer.start();
    emit isAnimatingProgressChanged();
}

void ImportStateMachine::stopProgressAnimation()
{
    if (!m_progressTimer.isActive())
        return;
    m_progressTimer.stop();
    emit isAnimatingProgressChanged();
}

void ImportStateMachine::tickProgress()
{
    const double elapsed = double(m_animationClock.elapsed()) / 1000.0;
    const double delta = m_animationTarget - m_animationStart;
    const double progress = m_animationStart + delta * (1.0 - std::exp(-m_animationRate * elapsed));
    setImportProgress(std::min(progress, m_animationTarget - 0.005));
}

void ImportStateMachine::selectWorkspace(const std::optional<WorkspaceInfo> &workspace)
{
    answer(*this, m_workspaceAnswer, &ImportStateMachine::workspaceAnswerChanged, workspace);
}

void ImportStateMachine::confirmExport(bool confirmed)
{
    answer(
        *this, m_exportConfirmAnswer, &ImportStateMachine::exportConfirmAnswerChanged, confirmed);
}

void ImportStateMachine::respondToOSCAccess(const OSCAccessAction &action)
{
    answer(*this, m_oscAccessAnswer, &ImportStateMachine::oscAccessAnswerChanged, action);
}

void ImportStateMachine::selectCueLists(const std::optional<QList<CueListInfo>> &cueLists)
{
    answer(*this, m_cueListsAnswer, &ImportStateMachine::cueListsAnswerChanged, cueLists);
}

PendingAnswer<std::optional<WorkspaceInfo>> ImportStateMachine::askWorkspace(
    const QList<WorkspaceInfo> &workspaces)
{
    auto pending = ask<std::optional<WorkspaceInfo>>(
        *this, m_workspaceAnswer, &ImportStateMachine::workspaceAnswerChanged, std::nullopt);
    setState(ImportState::selectingWorkspace(workspaces));
    return pending;
}

PendingAnswer<bool> ImportStateMachine::askExportConfirmation(const QString &workspaceName)
{
    auto pending
        = ask(*this, m_exportConfirmAnswer, &ImportStateMachine::exportConfirmAnswerChanged, false);
    setState(ImportState::confirmingExport(workspaceName));
    return pending;
}

PendingAnswer<ImportStateMachine::OSCAccessAction> ImportStateMachine::askOSCAccess(
    bool oscAvailable, int refusedPasscodes)
{
    auto pending = ask(*this, m_oscAccessAnswer, &ImportStateMachine::oscAccessAnswerChanged,
        OSCAccessAction::skip());
    setState(ImportState::requestingOSCAccess(oscAvailable, refusedPasscodes));
    return pending;
}

PendingAnswer<std::optional<QList<CueListInfo>>> ImportStateMachine::askCueLists(
    const QList<CueListInfo> &lists)
{
    auto pending = ask<std::optional<QList<CueListInfo>>>(
        *this, m_cueListsAnswer, &ImportStateMachine::cueListsAnswerChanged, std::nullopt);
    setState(ImportState::selectingCueLists(lists));
    return pending;
}
