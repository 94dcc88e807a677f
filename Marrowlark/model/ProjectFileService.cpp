#include "model/ProjectFileService.h"

#include "model/AppText.h"
#include "model/FileDialogs.h"
#include "model/FileWriting.h"
#include "model/ProjectJsonReader.h"
#include "model/ProjectJsonWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Shown once the caller's completion has run.
void queueAlert(const QString &title, const QString &text)
{
    QTimer::singleShot(0, [title, text] { FileDialogs::current().showAlert(title, text); });
}

// Opens path for reading when it is a regular file, else sets reason. Opened without blocking, as
// a FIFO would hold the program until something writes to it, and the opened descriptor is the
// one checked, so that nothing swapped in under the name gets through.
bool openRegularFile(QFile &file, const QString &path, QString *reason)
{
    const int descriptor
        = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        *reason = qt_error_string(errno);
        return false;
    }
    struct stat status;
    if (::fstat(descriptor, &status) != 0)
        *reason = qt_error_string(errno);
    else if (!S_ISREG(status.st_mode))
        *reason = AppText::fileNotRegular();
    else if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        *reason = file.errorString();
    else
        return true;
    ::close(descriptor);
    return false;
}

std::optional<QLabProject> readProject(const QString &path, QString *error)
{
    QFile file;
    QString reason;
    // Room beyond the contents lets the reader parse them where they are.
    QByteArray bytes;
    qint64 length = -1;
    if (openRegularFile(file, path, &reason)) {
        bytes.reserve(file.size() + ProjectJsonReader::spareCapacity);
        bytes.resize(file.size());
        length = file.read(bytes.data(), bytes.size());
        if (length < 0)
            reason = file.errorString();
    }
    if (length < 0) {
        *error = AppText::fileCouldNotBeRead(QFileInfo(path).fileName(), reason);
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
