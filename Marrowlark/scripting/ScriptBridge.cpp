#include "scripting/ScriptBridge.h"

#include "import/ProjectBuilder.h"
#include "scripting/ImportData.h"
#include "store/ProjectStore.h"

#include <QStringEncoder>

namespace {

QString textArgument(const QVariantMap &arguments, const QString &key, const QString &fallback)
{
    const QVariant value = arguments.value(key);
    return value.typeId() == QMetaType::QString ? value.toString() : fallback;
}

} // namespace

ScriptBridge::ScriptBridge(ProjectStore &store)
    : m_store(store)
{ }

ScriptResult ScriptBridge::perform(
    ScriptCommand command, const QVariant &directParameter, const QVariantMap &arguments)
{
    switch (command) {
    case ScriptCommand::addCue:
        return addCue(arguments);
    case ScriptCommand::clearProject:
        return clearProject();
    case ScriptCommand::createProject:
    case ScriptCommand::addCueList:
    case ScriptCommand::importCueData:
        break;
    }
    // The others take a text.
    if (directParameter.typeId() != QMetaType::QString)
        return { {}, ScriptResult::missingParameter };
    const QString text = directParameter.toString();
    if (command == ScriptCommand::createProject)
        return createProject(text);
    if (command == ScriptCommand::addCueList)
        return addCueList(text);
    return importCueData(text);
}

template <typename Change> void ScriptBridge::post(Change change)
{
    m_store.postedChanges().post(std::move(change));
}

ScriptResult ScriptBridge::createProject(const QString &name)
{
    auto project = std::make_shared<ScriptableProject>(newScriptableID(), name);
    post([&store = m_store, name] {
        store.loadProject(ProjectBuilder::projectFromImport(name, {}));
    });
    m_state.currentProject = project;
    return { ScriptableObject(project) };
}

ScriptResult ScriptBridge::addCueList(const QString &name)
{
    auto list = std::make_shared<ScriptableCueList>(newScriptableID(), name);
    if (m_state.currentProject)
        m_state.currentProject->cueLists.append(list);
    m_state.currentCueList = list;
    post([&store = m_store, name] {
        const QLabCueList added { QUuid::createUuid(), name, {} };
        store.appendCueList(added);
        store.setSelectedCueListID(added.id);
        store.setHasUnsavedChanges(true);
    });
    return { ScriptableObject(list) };
}

ScriptResult ScriptBridge::addCue(const QVariantMap &arguments)
{
    const auto text = [&arguments](const char *key, const QString &fallback = {}) {
        return textArgument(arguments, QLatin1String(key), fallback);
    };
    auto cue = std::make_shared<ScriptableCue>(ScriptableCue {
        .id = newScriptableID(),
        .cueType = text("cueType", QStringLiteral("Audio")),
        .cueNumber = text("cueNumber"),
        .name = text("cueName"),
        .action = text("cueAction"),
        .notes = text("cueNotes"),
        .triggerInfo = text("cueTrigger"),
        .qlabCueID = text("cueQLabID"),
        .preWaitStr = text("cuePreWait", QStringLiteral("0")),
        .postWaitStr = text("cuePostWait", QStringLiteral("0")),
    });
    if (m_state.currentCueList)
        m_state.currentCueList->cues.append(cue);
    // Always the project's last list, whichever is selected: scripts build a list and fill it.
    // Converted when the change runs: the texts as they are then.
    post([&store = m_store, cue] {
        if (store.appendCueToLastList(cue->toQLabCue()))
            store.setHasUnsavedChanges(true);
    });
    return { ScriptableObject(cue) };
}

ScriptResult ScriptBridge::clearProject()
{
    m_state = {};
    post([&store = m_store] { store.newProject(); });
    return {};
}

ScriptResult ScriptBridge::importCueData(const QString &json)
{
    QStringEncoder toUtf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    const QByteArray bytes = toUtf8(json);
    if (toUtf8.hasError())
        return { {}, ScriptResult::undecodableCueData };
    std::optional<ImportData> data = ImportData::fromJson(bytes);
    if (!data)
        return { false, ScriptResult::undecodableCueData };
    post([&store = m_store, data = std::move(*data)] {
        store.loadProject(ProjectBuilder::projectFromImport(data.workspaceName, data.cueLists));
    });
    return { true };
}
