#include "model/LanguageManager.h"
#include "platform/PortalAppearance.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString portalService = u"org.freedesktop.portal.Desktop"_s;
const QString portalPath = u"/org/freedesktop/portal/desktop"_s;
const QString settingsInterface = u"org.freedesktop.portal.Settings"_s;

// The desktop as the test wants it; setQuietly() changes it without telling anyone, as a desktop
// that answers late would.
class FakeAppearance : public SystemAppearance
{
public:
    bool prefersDark() const override { return m_dark; }
    void setQuietly(bool dark) { m_dark = dark; }
    void announce(bool dark)
    {
        m_dark = dark;
        emit prefersDarkChanged(dark);
    }

private:
    bool m_dark = false;
};

} // namespace

// A stand-in for the portal's settings object, answering "Read" like xdg-desktop-portal does
// (the value wrapped in a second variant).
class FakePortalSettings : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")

public:
    uint colorScheme = 0;

public slots:
    QDBusVariant Read(const QString &group, const QString &key)
    {
        const bool scheme = group == u"org.freedesktop.appearance"_s && key == u"color-scheme"_s;
        return QDBusVariant(QVariant::fromValue(QDBusVariant(scheme ? colorScheme : 0u)));
    }
};

class TestLanguageManager : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_manager.reset();
        QSettings().clear();
    }

    void cleanupTestCase()
    {
        m_manager.reset();
        if (m_busDaemon.state() != QProcess::NotRunning) {
            QDBusConnection::disconnectFromBus(u"client"_s);
            QDBusConnection::disconnectFromBus(u"portal"_s);
            m_busDaemon.kill();
            m_busDaemon.waitForFinished();
        }
    }

    void startsFromSettings_data()
    {
        QTest::addColumn<QVariant>("language");
        QTest::addColumn<QVariant>("theme");
        QTest::newRow("nothing stored") << QVariant() << QVariant();
        QTest::newRow("stored choices") << QVariant(u"EN"_s) << QVariant(u"Light"_s);
        QTest::newRow("not a text") << QVariant(42) << QVariant(7);
    }
    // Every start is in Russian and dark, whatever was stored.
    void startsFromSettings()
    {
        QFETCH(QVariant, language);
        QFETCH(QVariant, theme);
        {
            QSettings settings;
            if (language.isValid())
                settings.setValue(u"appLanguage"_s, language);
            if (theme.isValid())
                settings.setValue(u"appThemeMode"_s, theme);
        }

        LanguageManager *manager = makeManager();
        QCOMPARE(manager->current(), AppLanguage::russian);
        QCOMPARE(manager->themeMode(), AppThemeMode::dark);
        QVERIFY(manager->isDark());

        // Starting writes nothing, so a stored "auto" stays until the theme is set again.
        QSettings settings;
        QCOMPARE(settings.value(u"appLanguage"_s), language);
        QCOMPARE(settings.value(u"appThemeMode"_s), theme);
    }

    void autoThemeResolvesAndRechecks()
    {
        FakeAppearance *appearance = nullptr;
        LanguageManager *manager = makeManager(&appearance);
        QSignalSpy darkChanged(manager, &LanguageManager::isDarkChanged);

        manager->setThemeMode(AppThemeMode::auto_);
        QCOMPARE(manager->isDark(), false);
        QCOMPARE(darkChanged.count(), 1);

        // The desktop's answer arrives late and unannounced: the re-check picks it up.
        appearance->setQuietly(true);
        QCOMPARE(manager->isDark(), false);
        QTRY_COMPARE_WITH_TIMEOUT(manager->isDark(), true, 2000);
        QCOMPARE(darkChanged.count(), 2);
    }

    void recheckSkippedWhenThemeLeftAutoOrManagerGone()
    {
        FakeAppearance *appearance = nullptr;
        LanguageManager *manager = makeManager(&appearance);
        manager->setThemeMode(AppThemeMode::auto_);
        manager->setThemeMode(AppThemeMode::light);
        appearance->setQuietly(true);
        QTest::qWait(300);
        QCOMPARE(manager->isDark(), false);

        // A re-check still pending when the manager goes must not touch it.
        makeManager()->setThemeMode(AppThemeMode::auto_);
        m_manager.reset();
        QTest::qWait(300);
    }

    void systemColorScheme_data()
    {
        QTest::addColumn<AppThemeMode>("mode");
        QTest::addColumn<bool>("systemDark");
        QTest::addColumn<bool>("isDark");
        QTest::addColumn<int>("darkSignals");

        QTest::newRow("light ignores dark desktop") << AppThemeMode::light << true << false << 0;
        QTest::newRow("auto follows dark desktop") << AppThemeMode::auto_ << true << true << 1;
    }

    // Both the direct call and the desktop's own change signal reach isDark only in the auto theme.
    void systemColorScheme()
    {
        QFETCH(AppThemeMode, mode);
        QFETCH(bool, systemDark);

        for (const bool throughSignal : { false, true }) {
            FakeAppearance *appearance = nullptr;
            LanguageManager *manager = makeManager(&appearance);
            manager->setThemeMode(mode);
            QSignalSpy darkChanged(manager, &LanguageManager::isDarkChanged);
            if (throughSignal)
                appearance->announce(systemDark);
            else
                manager->updateSystemColorScheme(systemDark);
            QTEST(manager->isDark(), "isDark");
            QTEST(int(darkChanged.count()), "darkSignals");
            QCOMPARE(manager->themeMode(), mode);
        }
    }

    // The portal's answer to "Read" arrives after the start, which counts as light until then.
    void portalAnswers()
    {
        if (!startPrivateBus())
            QSKIP("no dbus-daemon for a private bus");

        QDBusConnection portalBus(u"portal"_s);
        FakePortalSettings settings;
        settings.colorScheme = 1;
        QVERIFY(portalBus.registerObject(portalPath, &settings, QDBusConnection::ExportAllSlots));
        QVERIFY(portalBus.registerService(portalService));

        PortalAppearance appearance(QDBusConnection(u"client"_s));
        QSignalSpy changed(&appearance, &SystemAppearance::prefersDarkChanged);
        QCOMPARE(appearance.prefersDark(), false);
        QVERIFY(changed.wait(5000));
        QCOMPARE(changed.takeFirst().at(0).toBool(), true);
        QVERIFY(appearance.prefersDark());

        portalBus.unregisterService(portalService);
        portalBus.unregisterObject(portalPath);
    }

    void portalSignalsChanges()
    {
        if (!startPrivateBus())
            QSKIP("no dbus-daemon for a private bus");
        QDBusConnection portalBus(u"portal"_s);
        FakePortalSettings settings;
        QVERIFY(portalBus.registerObject(portalPath, &settings, QDBusConnection::ExportAllSlots));
        QVERIFY(portalBus.registerService(portalService));

        auto *appearance = new PortalAppearance(QDBusConnection(u"client"_s));
        m_manager = std::make_unique<LanguageManager>(appearance);
        m_manager->setThemeMode(AppThemeMode::auto_);
        QSignalSpy changed(appearance, &SystemAppearance::prefersDarkChanged);
        QTest::qWait(300); // the answer to "Read" (light) has come and gone

        const auto announce = [&](const QString &group, const QString &key, uint value) {
            QDBusMessage signal
                = QDBusMessage::createSignal(portalPath, settingsInterface, u"SettingChanged"_s);
            signal << group << key << QVariant::fromValue(QDBusVariant(value));
            QVERIFY(portalBus.send(signal));
        };

        announce(u"org.freedesktop.appearance"_s, u"accent-color"_s, 1);
        announce(u"org.gnome.desktop.interface"_s, u"color-scheme"_s, 1);
        announce(u"org.freedesktop.appearance"_s, u"color-scheme"_s, 1);
        QVERIFY(changed.wait(5000));
        QCOMPARE(changed.count(), 1);
        QVERIFY(appearance->prefersDark());
        QVERIFY(m_manager->isDark());

        announce(u"org.freedesktop.appearance"_s, u"color-scheme"_s, 2);
        QVERIFY(changed.wait(5000));
        QVERIFY(!m_manager->isDark());

        portalBus.unregisterService(portalService);
        portalBus.unregisterObject(portalPath);
    }

    void noPortalCountsAsLight()
    {
        // Neither a bus without a portal nor no bus at all leaves the program waiting or dark.
        QCOMPARE(PortalAppearance(QDBusConnection(u"never connected"_s)).prefersDark(), false);
        if (!startPrivateBus())
            QSKIP("no dbus-daemon for a private bus");
        PortalAppearance appearance(QDBusConnection(u"client"_s));
        QSignalSpy changed(&appearance, &SystemAppearance::prefersDarkChanged);
        QVERIFY(!changed.wait(300));
        QCOMPARE(appearance.prefersDark(), false);
    }

private:
    LanguageManager *makeManager(FakeAppearance **appearance = nullptr)
    {
        auto *fake = new FakeAppearance;
        if (appearance)
            *appearance = fake;
        m_manager = std::make_unique<LanguageManager>(fake);
        return m_manager.get();
    }

    bool startPrivateBus()
    {
        if (!m_busAddress.isEmpty())
            return true;
        const QString daemon = QStandardPaths::findExecutable(u"dbus-daemon"_s);
        if (daemon.isEmpty())
            return false;
        m_busDaemon.start(daemon, { u"--session"_s, u"--nofork"_s, u"--print-address"_s });
        if (!m_busDaemon.waitForStarted())
            return false;
        while (!m_busDaemon.canReadLine()) {
            if (!m_busDaemon.waitForReadyRead(5000))
                return false;
        }
        m_busAddress = QString::fromUtf8(m_busDaemon.readLine()).trimmed();
        return QDBusConnection::connectToBus(m_busAddress, u"client"_s).isConnected()
            && QDBusConnection::connectToBus(m_busAddress, u"portal"_s).isConnected();
    }

    std::unique_ptr<LanguageManager> m_manager;
    QProcess m_busDaemon;
    QString m_busAddress;
};


QTEST_GUILESS_MAIN(TestLanguageManager)
#include "tst_languagemanager.moc"
