#include "platform/PortalAppearance.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

using namespace Qt::StringLiterals;

namespace {

const QString portalService = u"org.freedesktop.portal.Desktop"_s;
const QString portalPath = u"/org/freedesktop/portal/desktop"_s;
const QString settingsInterface = u"org.freedesktop.portal.Settings"_s;
const QString appearanceGroup = u"org.freedesktop.appearance"_s;
const QString colorSchemeKey = u"color-scheme"_s;
constexpr int readTimeoutMs = 2000;

// 1 is dark; 0 (no preference), 2 (light) and anything else count as light. "Read" wraps the
// value in one more variant than "SettingChanged" does.
bool isDarkScheme(QVariant value)
{
    while (value.userType() == qMetaTypeId<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    bool ok = false;
    const uint scheme = value.toUInt(&ok);
    return ok && scheme == 1;
}

} // namespace

PortalAppearance::PortalAppearance(QObject *parent)
    : PortalAppearance(QDBusConnection::sessionBus(), parent)
{ }

PortalAppearance::PortalAppearance(const QDBusConnection &bus, QObject *parent)
    : SystemAppearance(parent)
{
    if (!bus.isConnected())
        return;
    QDBusConnection(bus).connect(portalService, portalPath, settingsInterface, u"SettingChanged"_s,
        this, SLOT(onSettingChanged(QString, QString, QDBusVariant)));

    QDBusMessage read
        = QDBusMessage::createMethodCall(portalService, portalPath, settingsInterface, u"Read"_s);
    read << appearanceGroup << colorSchemeKey;
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(read, readTimeoutMs), this);
    connect(
        watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *call) {
            call->deleteLater();
            const QDBusPendingReply<QDBusVariant> reply = *call;
            // A change signalled meanwhile is newer than this answer.
            if (reply.isValid() && !m_changeSeen)
                setDark(isDarkScheme(reply.value().variant()));
        });
}

void PortalAppearance::onSettingChanged(
    const QString &group, const QString &key, const QDBusVariant &value)
{
    if (group != appearanceGroup || key != colorSchemeKey)
        return;
    m_changeSeen = true;
    setDark(isDarkScheme(value.variant()));
}

void PortalAppearance::setDark(bool dark)
{
    if (dark == m_dark)
        return;
    m_dark = dark;
    emit prefersDarkChanged(dark);
}
