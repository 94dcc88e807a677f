#pragma once

#include "TestSupport.h"
#include "model/QLabProject.h"

#include <QAbstractButton>
#include <QAction>
#include <QImage>
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
    const QList<QLabCueList> all = {
        { QUuid::createUuid(), QStringLiteral("Main"),
            { cue(CueType::audio, "1", "Rain"), group, cue(CueType::audio, "3", "Thunder"), bell,
                cue(CueType::audio, "5", "Wind") } },
        { QUuid::createUuid(), QStringLiteral("Act 2"), { cue(CueType::audio, "1") } },
    };
    QLabProject result;
    result.id = QUuid::createUuid();
    result.name = name;
    result.cueLists = all.first(lists);
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

// The colour the view paints at a point.
inline QRgb pixel(QWidget &view, QPoint at)
{
    return view.grab().toImage().pixel(at);
}

} // namespace ViewTest
