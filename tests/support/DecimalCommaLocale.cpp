#include "DecimalCommaLocale.h"

#include <QFile>
#include <QProcess>

#include <clocale>
#include <string_view>

bool useDecimalCommaLocale(const QTemporaryDir &folder)
{
    const char *name = "ru_RU.UTF-8";
    if (!std::setlocale(LC_NUMERIC, name) && folder.isValid()) {
        QProcess::execute(QStringLiteral("localedef"),
            { QStringLiteral("-i"), QStringLiteral("ru_RU"), QStringLiteral("-f"),
                QStringLiteral("UTF-8"), folder.filePath(QString::fromLatin1(name)) });
        qputenv("LOCPATH", QFile::encodeName(folder.path()));
        std::setlocale(LC_NUMERIC, name);
    }
    return std::localeconv()->decimal_point == std::string_view(",");
}
