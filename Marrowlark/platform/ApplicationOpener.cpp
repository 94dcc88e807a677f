#include "platform/ApplicationOpener.h"

#include <QtGlobal>

#ifdef Q_OS_MACOS
#include <QProcess>
#endif

using namespace Qt::StringLiterals;

void ApplicationOpener::openByBundleIdentifier(const QString &bundleIdentifier)
{
#ifdef Q_OS_MACOS
    QProcess::startDetached(u"/usr/bin/open"_s, { u"-b"_s, bundleIdentifier });
#else
    Q_UNUSED(bundleIdentifier);
#endif
}
