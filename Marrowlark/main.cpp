#include "model/LanguageManager.h"
#include "platform/PortalAppearance.h"
#include "scripting/ScriptingService.h"
#include "store/ProjectStore.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("zaveraverorade"));
    QCoreApplication::setApplicationName(QStringLiteral("Marrowlark"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MARROWLARK_VERSION));
    LanguageManager::shared().setSystemAppearance(new PortalAppearance);
    ScriptingService::start(ProjectStore::shared());
    return app.exec();
}
