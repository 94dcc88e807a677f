#include "model/LanguageManager.h"
#include "platform/PortalAppearance.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("zaveraverorade"));
    QCoreApplication::setApplicationName(QStringLiteral("Marrowlark"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MARROWLARK_VERSION));
    LanguageManager::shared().setSystemAppearance(new PortalAppearance);
    QTextStream(stdout) << QCoreApplication::applicationName() << ' '
                        << QCoreApplication::applicationVersion() << '\n';
    return 0;
}
