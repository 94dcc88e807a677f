#include "model/FileWriting.h"

#include "model/AppText.h"

#include <QSaveFile>

#include <cerrno>
#include <csignal>

#include <unistd.h>

namespace {

// A write past the process's file-size limit then fails with EFBIG, like a full disk, instead of
// ending the program with SIGXFSZ and losing unsaved work.
void ignoreFileSizeSignal()
{
    static const bool ignored = [] { return std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR; }();
    Q_UNUSED(ignored);
}

QString notAllWritten()
{
    return AppText::fileNotCompletelyWritten();
}

} // namespace

QString writeFileSafely(const QString &path, const std::function<bool(QIODevice &)> &fill)
{
    ignoreFileSizeSignal();
    // Unbuffered, a short write (disk full) shows in write()'s count; Qt's buffer would hide it
    // and commit a truncated file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    if (!fill(file)) {
        const QString reason
            = file.error() == QFileDevice::NoError ? notAllWritten() : file.errorString();
        file.cancelWriting();
        return reason;
    }
    // QSaveFile's own sync before the rename ignores errors; a flush that the disk refuses must
    // keep the previous file.
    if (::fdatasync(file.handle()) != 0) {
        const QString reason = qt_error_string(errno);
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.error() == QFileDevice::NoError ? notAllWritten() : file.errorString();
    return {};
}
