#pragma once

#include "describe/AutoDescriptionGenerator.h"
#include "describe/CueIndex.h"
#include "model/LanguageManager.h"
#include "model/QLabCue.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStringList>
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
inline bool useTemporarySettings()
{
    static QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QCoreApplication::setOrganizationName(QStringLiteral("marrowlark-tests"));
    return dir.isValid();
}

// The cue's description in English, then in Russian.
inline QStringList describeInBoth(const QLabCue &cue, const CueIndex &targets)
{
    const AutoDescriptionGenerator &generator = AutoDescriptionGenerator::shared();
    LanguageManager::shared().setCurrent(AppLanguage::english);
    const QString english = generator.generateDescription(cue, targets);
    LanguageManager::shared().setCurrent(AppLanguage::russian);
    return { english, generator.generateDescription(cue, targets) };
}
