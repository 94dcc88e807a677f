#include "model/ProjectStore.h"
#include "scripting/ScriptingService.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("zaveraverorade"));
    QCoreApplication::setApplicationName(QStringLiteral("Marrowlark"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MARROWLARK_VERSION));
    ScriptingService::start(ProjectStore::shared());
    return app.exec();
}
