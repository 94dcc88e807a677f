#include "model/LanguageManager.h"

#include "model/SystemAppearance.h"

#include <QSettings>
#include <QTimer>

#include <chrono>

namespace {

const QString languageKey = QStringLiteral("appLanguage");
const QString themeKey = QStringLiteral("appThemeMode");
// The desktop may answer a moment after the theme is switched to auto.
constexpr std::chrono::milliseconds autoThemeRecheck { 100 };

} // namespace

QString rawValue(AppLanguage language)
{
    return language == AppLanguage::english ? QStringLiteral("en") : QStringLiteral("ru");
}

QString rawValue(AppThemeMode mode)
{
    switch (mode) {
    case AppThemeMode::light:
        return QStringLiteral("light");
    case AppThemeMode::auto_:
        return QStringLiteral("auto");
    case AppThemeMode::dark:
        break;
    }
    return QStringLiteral("dark");
}

LanguageManager &LanguageManager::shared()
{
    static LanguageManager *instance = new LanguageManager;
    return *instance;
}

LanguageManager::LanguageManager(SystemAppearance *appearance, QObject *parent)
    : QObject(parent)
{
    setSystemAppearance(appearance);

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

void LanguageManager::setSystemAppearance(SystemAppearance *appearance)
{
    delete m_appearance;
    m_appearance = appearance;
    if (!appearance)
        return;
    appearance->setParent(this);
    connect(appearance, &SystemAppearance::prefersDarkChanged, this,
        &LanguageManager::updateSystemColorScheme);
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
        setIsDark(systemPrefersDark());
        QTimer::singleShot(autoThemeRecheck, this, [this] {
            if (m_themeMode == AppThemeMode::auto_)
                setIsDark(systemPrefersDark());
        });
        break;
    }
}

bool LanguageManager::systemPrefersDark() const
{
    return m_appearance && m_appearance->prefersDark();
}
