#include "import/ImportPipeline.h"

#include "import/AppleScriptImport.h"
#include "import/CueListDiscovery.h"
#include "import/ImportError.h"
#include "import/ImportSession.h"
#include "import/ImportStateMachine.h"
#include "import/OSCAccessCheck.h"
#include "import/OSCListImport.h"
#include "import/ProjectBuilder.h"
#include "import/ProjectLoader.h"

#include <algorithm>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

// The lists fill the progress from 0.05 to 0.95, each by its share of the estimated time.
constexpr double bandStart = 0.05;
constexpr double bandWidth = 0.95 - bandStart;

double limited(double progress)
{
    return std::clamp(progress, 0.0, 1.0);
}

// Ends a run that a cancel or a newer run has made stale: it stays silent from here on.
void ensureCurrent(const ImportRun &run)
{
    if (!run.isCurrent())
        throw ImportError(ImportError::Kind::cancelled);
}

// QLab may count more workspaces than it names; the missing ones are still offered.
QStringList workspaceNames(const CheckQLabResult &check)
{
    QStringList names = check.workspaceNames;
    while (names.size() < check.workspaceCount)
        names << u"Untitled"_s;
    return names;
}

} // namespace

void ImportPipeline::install(ImportStateMachine &machine, const QString &host, quint16 port)
{
    machine.setRun([host, port](ImportRun run) { return runImport(std::move(run), host, port); });
}

QCoro::Task<> ImportPipeline::runImport(ImportRun run, QString host, quint16 port)
{
    ImportSession session(run, host, port);
    run.machine().setState(ImportState::checkingQLab());
    if (!session.results.isValid())
        throw ImportError::scriptError(session.results.errorString());

    if (!co_await confirmWorkspace(run, session)) {
        run.machine().setState(ImportState::idle());
        co_return;
    }
    const bool oscUse = co_await obtainOSCAccess(run, session);
    const std::optional<QList<CueListInfo>> lists = co_await chooseCueLists(run, session);
    if (!lists) {
        run.machine().setState(ImportState::idle());
        co_return;
    }
    const QList<ImportCueList> imported = co_await importLists(run, session, *lists, oscUse);

    ensureCurrent(run);
    ImportStateMachine &machine = run.machine();
    machine.setImportProgress(0.97);
    machine.setImportStageText(u"Building project\u2026"_s);
    const QLabProject project = ProjectBuilder::projectFromImport(session.workspaceName, imported);
    machine.projectLoader().loadProject(project);
    machine.setImportProgress(1.0);
    machine.setImportStageText(u"Complete"_s);
    machine.setState(ImportState::completed(
        session.workspaceName, int(imported.size()), project.totalCueCount()));
}

QCoro::Task<bool> ImportPipeline::confirmWorkspace(ImportRun run, ImportSession &session)
{
    const CheckQLabResult check = co_await AppleScriptImport::checkQLab();
    ensureCurrent(run);
    if (!check.running)
        throw ImportError(ImportError::Kind::qlabNotRunning);
    if (check.workspaceCount < 1)
        throw ImportError(ImportError::Kind::noWorkspaces);

    session.openWorkspaceNames = workspaceNames(check);
    const QStringList &names = session.openWorkspaceNames;
    QString workspaceName = names.value(0, u"Untitled"_s);
    // The count decides whether there is a choice; the names only fill the picker.
    if (check.workspaceCount > 1) {
        QList<WorkspaceInfo> workspaces;
        for (const QString &name : names)
            workspaces << WorkspaceInfo::named(name);
        const std::optional<WorkspaceInfo> chosen = co_await run.machine().askWorkspace(workspaces);
        ensureCurrent(run);
        if (!chosen)
            co_return false;
        workspaceName = chosen->name;
    }

    const bool confirmed = co_await run.machine().askExportConfirmation(workspaceName);
    ensureCurrent(run);
    session.workspaceName = workspaceName;
    co_return confirmed;
}

QCoro::Task<bool> ImportPipeline::obtainOSCAccess(ImportRun run, ImportSession &session)
{
    using Kind = ImportStateMachine::OSCAccessAction::Kind;
    run.machine().setState(ImportState::checkingOSC());
    auto [oscAvailable, granted] = co_await OSCAccessCheck::check(session);
    ensureCurrent(run);
    int refusedPasscodes = 0;
    // Until access, a skip or a cancel: the user decides, there is no limit.
    while (!(oscAvailable && granted)) {
        const ImportStateMachine::OSCAccessAction action
            = co_await run.machine().askOSCAccess(oscAvailable, refusedPasscodes);
        ensureCurrent(run);
        switch (action.kind) {
        case Kind::skip:
            co_return false;
        case Kind::retry:
            run.machine().setState(ImportState::checkingOSC());
            std::tie(oscAvailable, granted) = co_await OSCAccessCheck::check(session);
            ensureCurrent(run);
            break;
        case Kind::enterPassword:
            run.machine().setOscPassword(action.passcode);
            granted = co_await OSCAccessCheck::check(session, action.passcode);
            ensureCurrent(run);
            if (granted)
                co_return true;
            ++refusedPasscodes;
            break;
        }
    }
    co_return true;
}

QCoro::Task<std::optional<QList<CueListInfo>>> ImportPipeline::chooseCueLists(
    ImportRun run, ImportSession &session)
{
    run.machine().setState(ImportState::discoveringCueLists());
    const QList<CueListInfo> lists = co_await CueListDiscovery::discover(session);
    ensureCurrent(run);
    if (lists.isEmpty())
        throw ImportError(ImportError::Kind::noCueLists);
    if (lists.size() == 1)
        co_return lists;

    const std::optional<QList<CueListInfo>> answer = co_await run.machine().askCueLists(lists);
    ensureCurrent(run);
    QList<CueListInfo> chosen;
    for (const CueListInfo &list : answer.value_or(QList<CueListInfo>())) {
        if (list.isSelected)
            chosen << list;
    }
    if (chosen.isEmpty())
        co_return std::nullopt;
    co_return chosen;
}

QCoro::Task<QList<ImportCueList>> ImportPipeline::importLists(
    ImportRun run, ImportSession &session, QList<CueListInfo> lists, bool oscUse)
{
    ImportStateMachine &machine = run.machine();
    machine.setImportProgress(0);
    machine.setImportStageText(u"Scanning cue types\u2026"_s);
    QList<double> estimates;
    double estimatedTotal = 0;
    for (const CueListInfo &list : std::as_const(lists)) {
        const CueTypeScanResult scan
            = CueListDiscovery::scanCueTypes(session.cachedOSCCueLists, list.id);
        estimates << scan.estimatedSeconds();
        estimatedTotal += estimates.last();
    }
    machine.setEstimatedTotalSeconds(estimatedTotal);
    machine.setImportProgress(0.03);
    machine.setImportStageText(u"Scan complete"_s);

    const double divisor = std::max(1.0, estimatedTotal);
    double before = 0;
    QList<ImportCueList> imported;
    for (qsizetype i = 0; i < lists.size(); ++i) {
        ensureCurrent(run);
        const CueListInfo &list = lists.at(i);
        const double end = bandStart + bandWidth * (before + estimates.at(i)) / divisor;
        run.machine().setImportProgress(limited(bandStart + bandWidth * before / divisor));
        run.machine().setImportStageText(u"Importing "_s + list.name + u'\u2026');
        run.machine().setState(
            ImportState::importingCues(int(i) + 1, int(lists.size()), list.name, list.cueCount));
        run.machine().animateProgress(end, estimates.at(i));

        std::optional<ImportCueList> result;
        if (oscUse) {
            result = co_await OSCListImport::importList(session, list.id);
            ensureCurrent(run);
        }
        if (!result) {
            result = co_await AppleScriptImport::importCueList(
                list.id, false, session.results.importFilePath(int(i)), session.workspaceName);
            ensureCurrent(run);
        }
        imported << *result;
        run.machine().stopProgressAnimation();
        run.machine().setImportProgress(limited(end));
        run.machine().setImportStageText(u"Imported "_s + list.name);
        before += estimates.at(i);
    }
    co_return imported;
}
