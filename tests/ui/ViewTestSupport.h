#pragma once

#include "model/LanguageManager.h"
#include "model/QLabProject.h"

#include <QImage>
#include <QWidget>

// Small projects and switches shared by the window tests.
namespace ViewTest {

inline QLabCue cue(CueType type, const QString &number, const QString &name = {})
{
    QLabCue result;
    result.id = QUuid::createUuid();
    result.type = type;
    result.number = number;
    result.name = name;
    return result;
}

inline QLabCueList cueList(const QString &name, QList<QLabCue> cues)
{
    return QLabCueList { QUuid::createUuid(), name, std::move(cues) };
}

// "Main": 1 Rain, 2 a group with three members, 3 Thunder, 4 Bell, 5 Wind (five rows, eight
// cues); "Act 2": one cue.
inline QLabProject twoListProject(const QString &name = QStringLiteral("Storm"))
{
    QLabCue group = cue(CueType::group, QStringLiteral("2"), QStringLiteral("Scene"));
    group.children = { cue(CueType::audio, QStringLiteral("2.1")),
        cue(CueType::fade, QStringLiteral("2.2")), cue(CueType::stop, QStringLiteral("2.3")) };
    QLabCue bell = cue(CueType::memo, QStringLiteral("4"), QStringLiteral("Bell"));
    bell.trigger = QStringLiteral("Hotkey B");
    QLabProject project;
    project.id = QUuid::createUuid();
    project.name = name;
    project.cueLists = {
        cueList(QStringLiteral("Main"),
            { cue(CueType::audio, QStringLiteral("1"), QStringLiteral("Rain")), group,
                cue(CueType::audio, QStringLiteral("3"), QStringLiteral("Thunder")), bell,
                cue(CueType::audio, QStringLiteral("5"), QStringLiteral("Wind")) }),
        cueList(QStringLiteral("Act 2"), { cue(CueType::audio, QStringLiteral("1")) }),
    };
    return project;
}

inline QLabProject emptyProject()
{
    QLabProject project;
    project.id = QUuid::createUuid();
    project.name = QStringLiteral("Empty");
    return project;
}

inline void useLanguage(AppLanguage language)
{
    LanguageManager::shared().setCurrent(language);
}

inline void useTheme(AppThemeMode mode)
{
    LanguageManager::shared().setThemeMode(mode);
}

// The colour the view paints at a point (after any pending repaint).
inline QRgb pixel(QWidget &view, QPoint at)
{
    return view.grab().toImage().pixel(at);
}

} // namespace ViewTest
