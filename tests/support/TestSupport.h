#pragma once

// What every test folder shares: one cue builder, the test data folder, file and JSON readers and
// the language a test runs in. Settings need no fixture: CTest gives each test a settings folder
// of its own (XDG_CONFIG_HOME).

#include "model/LanguageManager.h"
#include "model/QLabCue.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// A path below tests/.
inline QString testData(const QString &relative)
{
    return QStringLiteral(MARROWLARK_TEST_DATA "/") + relative;
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QJsonObject readJsonObject(const QString &path)
{
    return QJsonDocument::fromJson(readFile(path)).object();
}

inline QJsonValue parseJson(const char *text)
{
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray("[") + text + "]");
    return document.array().at(0);
}

// A cue with a fresh id and the fields descriptions and exports read.
inline QLabCue makeCue(CueType type, const QString &number, const QString &name,
    const QString &action = {}, const QString &notes = {})
{
    QLabCue cue;
    cue.id = QUuid::createUuid();
    cue.type = type;
    cue.number = number;
    cue.name = name;
    cue.action = action;
    cue.notes = notes;
    return cue;
}

inline void useLanguage(AppLanguage language)
{
    LanguageManager::shared().setCurrent(language);
}
