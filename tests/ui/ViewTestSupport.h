#pragma once

#include "TestSupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QWidget>

// Small projects and switches shared by the tests of the main window's views.
namespace ViewTest {

inline QLabCue cue(CueType type, const char *number, const char *name = "")
{
    return makeCue(type, QString::fromUtf8(number), QString::fromUtf8(name));
}

// "Main": 1 Rain, 2 a group of three, 3 Thunder, 4 Bell (the one trigger), 5 Wind: five rows,
// eight cues. "Act 2": one cue without a name. Without lists when lists is 0.
inline QLabProject project(int lists = 2, const QString &name = QStringLiteral("Storm"))
{
    QLabCue group = cue(CueType::group, "2", "Scene");
    group.children
        = { cue(CueType::audio, "2.1"), cue(CueType::fade, "2.2"), cue(CueType::stop, "2.3") };
    QLabCue bell = cue(CueType::memo, "4", "Bell");
    bell.trigger = QStringLiteral("Hotkey B");
    QLabProject result = makeProject(name,
        { { QStringLiteral("Main"),
              { cue(CueType::audio, "1", "Rain"), group, cue(CueType::audio, "3", "Thunder"), bell,
                  cue(CueType::audio, "5", "Wind") } },
            { QStringLiteral("Act 2"), { cue(CueType::audio, "1") } } });
    result.cueLists = result.cueLists.first(lists);
    return result;
}

inline void use(AppLanguage language, AppThemeMode theme = AppThemeMode::dark)
{
    LanguageManager::shared().setCurrent(language);
    LanguageManager::shared().setThemeMode(theme);
}

// Clicks the button or triggers the menu entry of that name.
inline void press(QWidget &view, const QString &name)
{
    if (auto *button = view.findChild<QAbstractButton *>(name))
        button->click();
    else
        view.findChild<QAction *>(name)->trigger();
}

} // namespace ViewTest
