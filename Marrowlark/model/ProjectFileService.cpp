#include "model/ProjectFileService.h"

#include "model/AppText.h"
#include "model/FileDialogs.h"
#include "model/FileWriting.h"
#include "model/ProjectJsonReader.h"
#include "model/ProjectJsonWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QTimer>

namespace {

// Shown once the caller's completion has run.
void queueAlert(const QString &title, const QString &text)
{
    QTimer::singleShot(0, [title, text] { FileDialogs::current().showAlert(title, text); });
}

std::optional<QLabProject> readProject(const QString &path, QString *error)
{
    QFile file(path);
    // Room beyond the contents lets the reader parse them where they are.
    QByteArray bytes;
    qint64 length = -1;
    if (file.open(QIODevice::ReadOnly)) {
        bytes.reserve(file.size() + ProjectJsonReader::spareCapacity);
        bytes.resize(file.size());
        length = file.read(bytes.data(), bytes.size());
    }
    if (length < 0) {
        *error = AppText::fileCouldNotBeRead(QFileInfo(path).fileName(), file.errorString());
        return std::nullopt;
    }
    bytes.resize(length);
    // A file that grew while it was read is read to its end.
    if (!file.atEnd())
        bytes += file.readAll();
    return ProjectJsonReader::read(bytes, error);
}

bool writeProject(const QLabProject &project, const QString &path, QString *error)
{
    const std::optional<QByteArray> bytes = ProjectJsonWriter::write(project, error);
    if (!bytes)
        return false;
    const QString reason = writeFileSafely(
        path, [&](QIODevice &file) { return file.write(*bytes) == bytes->size(); });
    if (reason.isEmpty())
        return true;
    *error = AppText::fileCouldNotBeSaved(QFileInfo(path).fileName(), reason);
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
