#pragma once

#include "model/QLabCue.h"

#include <QList>
#include <QString>

#include <memory>
#include <variant>

// What a script has made, as the script sees it: a project, its cue lists and their cues, all
// texts. Callers hold them by shared pointer; nothing ever looks one up by its id. Main thread
// only.

struct ScriptableCue
{
    QString id;
    QString cueType;
    QString cueNumber;
    QString name;
    QString action;
    QString notes;
    QString triggerInfo;
    // Empty when the cue has no QLab cue.
    QString qlabCueID;
    // Seconds as a decimal number.
    QString preWaitStr;
    QString postWaitStr;

    // A new cue (with an id of its own) from the texts as they are now.
    QLabCue toQLabCue() const;
};

struct ScriptableCueList
{
    QString id;
    QString name;
    // Those added while this list was the current one.
    QList<std::shared_ptr<ScriptableCue>> cues;
};

struct ScriptableProject
{
    QString id;
    QString name;
    // Those added while this project was the current one.
    QList<std::shared_ptr<ScriptableCueList>> cueLists;
};

using ScriptableObject = std::variant<std::shared_ptr<ScriptableProject>,
    std::shared_ptr<ScriptableCueList>, std::shared_ptr<ScriptableCue>>;

// A fresh random UUID in upper-case 8-4-4-4-12 form.
QString newScriptableID();
