#include "ui/MarrowlarkApp.h"

#include "model/LanguageManager.h"
#include "ui/AppTheme.h"
#include "ui/QtTranslation.h"

#include <QIcon>
#include <QStyleFactory>

#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

QtMessageHandler previousHandler = nullptr;

void exitOnFatal(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg) {
        if (previousHandler)
            previousHandler(type, context, message);
        else
            std::fprintf(stderr, "%s\n", qUtf8Printable(message));
        return;
    }
    std::fprintf(stderr, "%s\n", qUtf8Printable(message));
    std::fflush(stderr);
    // Nothing is built yet that would need tearing down.
    std::_Exit(EXIT_FAILURE);
}

} // namespace

void MarrowlarkApp::exitCleanlyIfQtCannotStart()
{
    previousHandler = qInstallMessageHandler(exitOnFatal);
}

MarrowlarkApp::MarrowlarkApp(int &argc, char **argv)
    : QApplication(argc, argv)
{
    // Started: from here on a fatal error is a fault and aborts as usual.
    qInstallMessageHandler(previousHandler);

    setOrganizationName(u"zaveraverorade"_s);
    setApplicationName(u"Marrowlark"_s);
    setApplicationDisplayName(u"Marrowlark"_s);
    setApplicationVersion(QStringLiteral(MARROWLARK_VERSION));
    setDesktopFileName(u"com.zaveraverorade.Marrowlark"_s);
    setWindowIcon(QIcon(u":/icons/marrowlark.png"_s));
    setStyle(QStyleFactory::create(u"Fusion"_s));

    // First use: the settings are read before any window exists.
    LanguageManager::shared();
    AppTheme::follow();
    QtTranslation::follow();
}
