#include "model/LanguageManager.h"

#include "platform/PortalAppearance.h"

#include <QSettings>
#include <QTimer>

#include <chrono>

namespace {

const QString languageKey = QStringLiteral("appLanguage");
const QString themeKey = QStringLiteral("appThemeMode");
// The desktop may answer a moment after the theme is switched to auto.
constexpr std::chrono::milliseconds autoThemeRecheck { 100 };

} // namespace

LanguageManager &LanguageManager::shared()
{
    static LanguageManager *instance = new LanguageManager;
    return *instance;
}

LanguageManager::LanguageManager(SystemAppearance *appearance, QObject *parent)
    : QObject(parent)
{
    if (appearance) {
        appearance->setParent(this);
        m_appearance = appearance;
        connect(m_appearance, &SystemAppearance::prefersDarkChanged, this,
            &LanguageManager::updateSystemColorScheme);
    }

    QSettings settings;
    m_current = settings.value(languageKey, QStringLiteral("ru")).toString() == QLatin1String("en")
        ? AppLanguage::english
        : AppLanguage::russian;
    // A stored "auto" starts in dark, like any value other than "light".
    m_themeMode
        = settings.value(themeKey, QStringLiteral("dark")).toString() == QLatin1String("light")
        ? AppThemeMode::light
        : AppThemeMode::dark;
    m_isDark = m_themeMode != AppThemeMode::light;
}

void LanguageManager::setCurrent(AppLanguage language)
{
    const bool changed = language != m_current;
    m_current = language;
    QSettings().setValue(languageKey, rawValue(language));
    if (changed)
        emit currentChanged();
}

void LanguageManager::setThemeMode(AppThemeMode mode)
{
    const bool changed = mode != m_themeMode;
    m_themeMode = mode;
    if (changed)
        emit themeModeChanged();
    QSettings().setValue(themeKey, rawValue(mode));
    applyTheme();
}

void LanguageManager::setIsDark(bool dark)
{
    if (dark == m_isDark)
        return;
    m_isDark = dark;
    emit isDarkChanged();
}

void LanguageManager::updateSystemColorScheme(bool systemIsDark)
{
    if (m_themeMode == AppThemeMode::auto_)
        setIsDark(systemIsDark);
}

void LanguageManager::applyTheme()
{
    switch (m_themeMode) {
    case AppThemeMode::dark:
        setIsDark(true);
        break;
    case AppThemeMode::light:
        setIsDark(false);
        break;
    case AppThemeMode::auto_:
        setIsDark(appearance().prefersDark());
        QTimer::singleShot(autoThemeRecheck, this, [this] {
            if (m_themeMode == AppThemeMode::auto_)
                setIsDark(appearance().prefersDark());
        });
        break;
    }
}

SystemAppearance &LanguageManager::appearance()
{
    if (!m_appearance) {
        m_appearance = new PortalAppearance(this);
        connect(m_appearance, &SystemAppearance::prefersDarkChanged, this,
            &LanguageManager::updateSystemColorScheme);
    }
    return *m_appearance;
}

QString LanguageManager::choose(const QString &english, const QString &russian)
{
    return shared().isEnglish() ? english : russian;
}
