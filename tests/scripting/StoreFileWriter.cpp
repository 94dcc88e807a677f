// Built into the bus test's copy of the program: after each change, the open project is written
// as a project file to the file named in BUS_TEST_STORE_FILE, so the test sees what the store
// holds while it drives the program over the bus.
#include "model/ProjectJsonWriter.h"
#include "store/ProjectStore.h"

#include <QCoreApplication>
#include <QSaveFile>

namespace {

void writeStore(const ProjectStore &store, const QString &fileName)
{
    QString error;
    const std::optional<QByteArray> bytes = ProjectJsonWriter::write(store.project(), &error);
    QSaveFile file(fileName);
    if (!bytes || !file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size()
        || !file.commit())
        qFatal("cannot write %s: %s", qPrintable(fileName),
            qPrintable(bytes ? file.errorString() : error));
}

void writeStoreOnEveryChange()
{
    // Queued until main() runs the event loop: the store exists then, and no command has come.
    QMetaObject::invokeMethod(
        qApp,
        [] {
            ProjectStore &store = ProjectStore::shared();
            QObject::connect(&store, &ProjectStore::projectChanged, &store,
                [&store, fileName = qEnvironmentVariable("BUS_TEST_STORE_FILE")] {
                    writeStore(store, fileName);
                });
        },
        Qt::QueuedConnection);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(writeStoreOnEveryChange)
