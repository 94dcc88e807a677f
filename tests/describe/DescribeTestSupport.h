#pragma once

#include "model/QLabCue.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

// A cue with the fields the generator reads.
inline QLabCue makeCue(CueType type, const QString &number, const QString &name,
    const QString &action = {}, const QString &notes = {})
{
    QLabCue cue;
    cue.type = type;
    cue.number = number;
    cue.name = name;
    cue.action = action;
    cue.notes = notes;
    return cue;
}

// Keeps the language choice the tests make out of the user's own settings.
inline void useSettingsIn(const QTemporaryDir &dir, const QString &application)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QCoreApplication::setOrganizationName(QStringLiteral("marrowlark-tests"));
    QCoreApplication::setApplicationName(application);
}
