#pragma once

// What every test folder shares: one cue builder, the test data folder, file and JSON readers and
// the language a test runs in. Settings need no fixture: CTest gives each test a settings folder
// of its own (XDG_CONFIG_HOME).

#include "model/LanguageManager.h"
#include "model/QLabCue.h"
#include "model/QLabProject.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <sys/resource.h>

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

// A project of lists given by name and cues, every id fresh.
inline QLabProject makeProject(
    const QString &name, const QList<std::pair<QString, QList<QLabCue>>> &lists)
{
    QLabProject project;
    project.id = QUuid::createUuid();
    project.name = name;
    for (const auto &[listName, cues] : lists)
        project.cueLists.append({ QUuid::createUuid(), listName, cues });
    return project;
}

inline void useLanguage(AppLanguage language)
{
    LanguageManager::shared().setCurrent(language);
}

// Runs an outside tool to its end. Its output, or nothing when it could not run or reported an
// error, which then goes to *errors.
inline std::optional<QByteArray> runTool(
    const QString &program, const QStringList &arguments, QString *errors = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    const bool finished = process.waitForFinished(120000);
    const QByteArray output = process.readAllStandardOutput();
    if (finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return output;
    if (errors)
        *errors = program + u' ' + arguments.join(u' ') + QStringLiteral(": ")
            + QString::fromUtf8(process.readAllStandardError() + output);
    return std::nullopt;
}

// While alive, no file may grow beyond 512 bytes, as on a full disk.
class ScopedFileSizeLimit
{
public:
    ScopedFileSizeLimit()
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit small = m_saved;
        small.rlim_cur = 512;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~ScopedFileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }
    ScopedFileSizeLimit(const ScopedFileSizeLimit &) = delete;
    ScopedFileSizeLimit &operator=(const ScopedFileSizeLimit &) = delete;

private:
    rlimit m_saved = {};
};
