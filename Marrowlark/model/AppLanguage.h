#pragma once

#include <QString>
#include <QStringView>

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
