#pragma once

#include "scripting/ScriptableObjects.h"

#include <QVariant>
#include <QVariantMap>

#include <variant>

class ProjectStore;

enum class ScriptCommand {
    createProject,
    addCueList,
    addCue,
    clearProject,
    importCueData,
};

// The project and the cue list that the next script commands add to. They are separate: a new
// project leaves the current list pointing at the list made last.
struct ScriptingState
{
    std::shared_ptr<ScriptableProject> currentProject;
    std::shared_ptr<ScriptableCueList> currentCueList;
};

struct ScriptResult
{
    // The script error numbers.
    static constexpr int missingParameter = 5; // missing, or not of the command's type
    static constexpr int undecodableCueData = 6;

    std::variant<std::monostate, bool, ScriptableObject> value;
    // 0 on success, else one of the numbers above.
    int errorNumber = 0;
};

// Carries out the script commands, whatever brought them. A command updates the scripting state
// and returns at once; its change of the store is posted to the main thread and runs after
// the caller has had the result, in the order the commands arrived, and only once no prompt about
// the open project waits for the user. Main thread only.
class ScriptBridge
{
public:
    explicit ScriptBridge(ProjectStore &store);

    // directParameter is anything the caller sent (invalid when nothing); of the arguments only
    // those that add-cue knows are read, and only when they are texts.
    ScriptResult perform(
        ScriptCommand command, const QVariant &directParameter, const QVariantMap &arguments);

    const ScriptingState &state() const { return m_state; }

private:
    ScriptResult createProject(const QString &name);
    ScriptResult addCueList(const QString &name);
    ScriptResult addCue(const QVariantMap &arguments);
    ScriptResult clearProject();
    ScriptResult importCueData(const QString &json);
    template <typename Change> void post(Change change);

    ProjectStore &m_store;
    ScriptingState m_state;
};
