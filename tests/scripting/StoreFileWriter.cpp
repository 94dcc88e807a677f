// Built into the bus test's copy of the program: after each change the open project is written to
// the file named in BUS_TEST_STORE_FILE, so the test sees what the store holds.
#include "model/ProjectJsonWriter.h"
#include "store/ProjectStore.h"

#include <QCoreApplication>
#include <QSaveFile>

static void writeStoreOnEveryChange()
{
    // Queued until main() runs the event loop: the store exists then, and no command has come.
    QMetaObject::invokeMethod(
        qApp,
        [] {
            ProjectStore &store = ProjectStore::shared();
            QObject::connect(&store, &ProjectStore::projectChanged, &store, [&store] {
                const auto bytes = ProjectJsonWriter::write(store.project(), nullptr);
                QSaveFile file(qEnvironmentVariable("BUS_TEST_STORE_FILE"));
                if (!bytes || !file.open(QIODevice::WriteOnly)
                    || file.write(*bytes) != bytes->size() || !file.commit())
                    qFatal("cannot write the open project to %s", qPrintable(file.fileName()));
            });
        },
        Qt::QueuedConnection);
}

Q_COREAPP_STARTUP_FUNCTION(writeStoreOnEveryChange)
