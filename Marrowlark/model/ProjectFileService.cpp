#include "model/ProjectFileService.h"

#include "model/AppText.h"
#include "model/FileDialogs.h"
#include "model/LanguageManager.h"
#include "model/ProjectJsonReader.h"
#include "model/ProjectJsonWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Shown once the caller's completion has run.
void queueAlert(const QString &title, const QString &text)
{
    QTimer::singleShot(0, [title, text] { FileDialogs::current().showAlert(title, text); });
}

std::optional<QLabProject> readProject(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = LanguageManager::choose(
            u"The file “%1” could not be read: %2"_s, u"Не удалось прочитать файл «%1»: %2"_s)
                     .arg(QFileInfo(path).fileName(), file.errorString());
        return std::nullopt;
    }
    return ProjectJsonReader::read(file.readAll(), error);
}

bool writeProject(const QLabProject &project, const QString &path, QString *error)
{
    const std::optional<QByteArray> bytes = ProjectJsonWriter::write(project, error);
    if (!bytes)
        return false;
    // The previous file is replaced only once the new one is completely on disk. Unbuffered, a
    // short write (disk full) shows in write()'s count; Qt's buffer would hide it and commit a
    // truncated file.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (file.write(*bytes) == bytes->size() && file.commit())
            return true;
    }
    const QString reason = file.error() == QFileDevice::NoError
        ? LanguageManager::choose(u"not all of it could be written; the disk may be full."_s,
            u"записано не всё, возможно, диск заполнен."_s)
        : file.errorString();
    *error = LanguageManager::choose(
        u"The file “%1” could not be saved: %2"_s, u"Не удалось сохранить файл «%1»: %2"_s)
                 .arg(QFileInfo(path).fileName(), reason);
    return false;
}

} // namespace

void ProjectFileService::openProject(std::function<void(std::optional<QLabProject>)> completion)
{
    const QString title = AppText::openProjectTitle();
    FileDialogs::current().chooseOpenPath(
        title, projectFileSuffix, [completion = std::move(completion)](const QString &path) {
            if (path.isEmpty()) {
                completion(std::nullopt);
                return;
            }
            QString error;
            std::optional<QLabProject> project = readProject(path, &error);
            if (!project) {
                queueAlert(AppText::fileOpenErrorTitle(), error);
            }
            completion(std::move(project));
        });
}

void ProjectFileService::saveProject(const QLabProject &project, const QString &fileName,
    std::function<void(const std::optional<QString> &)> completion)
{
    const QString title = AppText::saveProjectTitle();
    FileDialogs::current().chooseSavePath(title, projectFileSuffix, fileName,
        [project, completion = std::move(completion)](const QString &path) {
            std::optional<QString> savedPath;
            if (!path.isEmpty()) {
                QString error;
                if (writeProject(project, path, &error))
                    savedPath = path;
                else
                    queueAlert(AppText::saveErrorTitle(), error);
            }
            if (completion)
                completion(savedPath);
        });
}
