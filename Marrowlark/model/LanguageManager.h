#pragma once

#include <QObject>
#include <QString>

enum class AppLanguage {
    russian,
    english,
};

enum class AppThemeMode {
    dark,
    light,
    auto_,
};

QString rawValue(AppLanguage language);
QString rawValue(AppThemeMode mode);

class SystemAppearance;

// The one settings object: interface language, theme mode and the effective dark flag, kept in
// QSettings under "appLanguage" and "appThemeMode". Main thread only.
class LanguageManager : public QObject
{
    Q_OBJECT
    Q_PROPERTY(AppLanguage current READ current WRITE setCurrent NOTIFY currentChanged)
    Q_PROPERTY(AppThemeMode themeMode READ themeMode WRITE setThemeMode NOTIFY themeModeChanged)
    Q_PROPERTY(bool isDark READ isDark WRITE setIsDark NOTIFY isDarkChanged)

public:
    static LanguageManager &shared();

    // The program uses shared(); tests build their own over a stand-in for the desktop.
    explicit LanguageManager(SystemAppearance *appearance = nullptr, QObject *parent = nullptr);

    // Takes ownership. The application hands in the desktop's appearance at start-up; without
    // one the automatic theme counts the desktop as light.
    void setSystemAppearance(SystemAppearance *appearance);

    AppLanguage current() const { return m_current; }
    void setCurrent(AppLanguage language);
    bool isEnglish() const { return m_current == AppLanguage::english; }

    AppThemeMode themeMode() const { return m_themeMode; }
    void setThemeMode(AppThemeMode mode);

    bool isDark() const { return m_isDark; }
    void setIsDark(bool dark);

    // The system's colour scheme, as the desktop reports it; only heeded in the auto theme.
    void updateSystemColorScheme(bool systemIsDark);
    // Resolves isDark from the theme mode; the auto theme checks the desktop again shortly after.
    void applyTheme();

signals:
    void currentChanged();
    void themeModeChanged();
    void isDarkChanged();

private:
    bool systemPrefersDark() const;

    SystemAppearance *m_appearance = nullptr;
    AppLanguage m_current = AppLanguage::russian;
    AppThemeMode m_themeMode = AppThemeMode::dark;
    bool m_isDark = true;
};
