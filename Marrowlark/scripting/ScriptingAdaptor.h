#pragma once

#include "scripting/ScriptBridge.h"

#include <QDBusVirtualObject>
#include <QMap>

// Puts the script commands on D-Bus: the methods of the scripting interface at the root path, and
// every script object a caller was handed as an object with read-only properties under
// projects/, cuelists/ and cues/, kept until the project is cleared. It reads the messages
// itself, so that a call with a wrongly typed parameter still reaches the bridge and gets its
// error 5. The interfaces are those of the dictionary in the resources.
class ScriptingAdaptor : public QDBusVirtualObject
{
    Q_OBJECT

public:
    static inline const QString serviceName = QStringLiteral("com.zaveraverorade.Marrowlark");
    static inline const QString rootPath = QStringLiteral("/com/zaveraverorade/Marrowlark");
    static inline const QString interfaceName
        = QStringLiteral("com.zaveraverorade.Marrowlark.Scripting");

    explicit ScriptingAdaptor(ProjectStore &store, QObject *parent = nullptr);

    QString introspect(const QString &path) const override;
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override;

private:
    QDBusMessage commandCall(const QDBusMessage &message);
    QDBusMessage propertiesCall(const QDBusMessage &message) const;
    // Registers the object under its path.
    QString publish(const ScriptableObject &object);

    ScriptBridge m_bridge;
    QMap<QString, ScriptableObject> m_objects;
};
