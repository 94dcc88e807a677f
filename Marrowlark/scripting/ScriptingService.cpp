#include "scripting/ScriptingService.h"

#include "scripting/ScriptingAdaptor.h"
#include "store/ProjectStore.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

bool unavailable(const QString &reason)
{
    QTextStream(stderr) << "Marrowlark: script commands are unavailable: " << reason << '\n';
    return false;
}

} // namespace

namespace ScriptingService {

bool start(ProjectStore &store)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return unavailable(u"no session bus ("_s + bus.lastError().message() + u')');

    auto *adaptor = new ScriptingAdaptor(store, QCoreApplication::instance());
    if (!bus.registerVirtualObject(ScriptingAdaptor::rootPath, adaptor, QDBusConnection::SubPath)) {
        delete adaptor;
        return unavailable(u"the object path is taken"_s);
    }
    // Without replacing or queueing: a second Marrowlark leaves the first one's commands alone.
    if (!bus.registerService(ScriptingAdaptor::serviceName)) {
        bus.unregisterObject(ScriptingAdaptor::rootPath);
        delete adaptor;
        return unavailable(ScriptingAdaptor::serviceName + u" is taken"_s);
    }
    return true;
}

} // namespace ScriptingService
