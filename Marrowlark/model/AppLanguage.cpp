#include "model/AppLanguage.h"

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
