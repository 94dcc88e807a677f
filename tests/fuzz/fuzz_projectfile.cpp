// Any bytes either fail to read with a description, or read as a project that writes and reads
// back to the same project.
#include "model/ProjectJsonReader.h"
#include "model/ProjectJsonWriter.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

void initialise()
{
    static QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QCoreApplication::setOrganizationName(QStringLiteral("marrowlark-fuzz"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool initialised = (initialise(), true);
    Q_UNUSED(initialised);

    const QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QString error;
    const std::optional<QLabProject> project = ProjectJsonReader::read(bytes, &error);
    if (!project) {
        if (error.isEmpty())
            std::abort();
        return 0;
    }
    const std::optional<QByteArray> written = ProjectJsonWriter::write(*project, &error);
    if (!written)
        std::abort();
    const std::optional<QLabProject> reread = ProjectJsonReader::read(*written, &error);
    if (!reread || reread->id != project->id || reread->name != project->name
        || !(reread->cueLists == project->cueLists) || !(reread->exportDate == project->exportDate)
        || !(reread->lastModified == project->lastModified)
        || reread->formatVersion != project->formatVersion)
        std::abort();
    // Written again, the bytes must not change.
    if (ProjectJsonWriter::write(*reread, &error) != written)
        std::abort();
    return 0;
}
