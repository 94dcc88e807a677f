#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("zaveraverorade"));
    QCoreApplication::setApplicationName(QStringLiteral("Marrowlark"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MARROWLARK_VERSION));
    QTextStream(stdout) << QCoreApplication::applicationName() << ' '
                        << QCoreApplication::applicationVersion() << '\n';
    return 0;
}
