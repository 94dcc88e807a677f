#pragma once

#include "model/SystemAppearance.h"

#include <QDBusConnection>

class QDBusVariant;

// Reads "color-scheme" from the desktop portal's settings on the session bus and follows its
// changes. The first answer arrives asynchronously; until then, and when no portal answers, the
// desktop counts as light.
class PortalAppearance : public SystemAppearance
{
    Q_OBJECT

public:
    explicit PortalAppearance(QObject *parent = nullptr);
    explicit PortalAppearance(const QDBusConnection &bus, QObject *parent = nullptr);

    bool prefersDark() const override { return m_dark; }

private slots:
    void onSettingChanged(const QString &group, const QString &key, const QDBusVariant &value);

private:
    void setDark(bool dark);

    bool m_dark = false;
    bool m_changeSeen = false;
};
