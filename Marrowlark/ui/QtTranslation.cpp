#include "ui/QtTranslation.h"

#include "model/LanguageManager.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace QtTranslation {

void follow()
{
    auto *translator = new QTranslator(qApp);
    const auto apply = [translator] {
        QCoreApplication::removeTranslator(translator);
        // Qt's texts are written in English: the English interface needs no translation.
        if (!LanguageManager::shared().isEnglish()
            && translator->load(QLocale(QLocale::Russian), u"qtbase"_s, u"_"_s,
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(translator);
    };
    QObject::connect(&LanguageManager::shared(), &LanguageManager::currentChanged, qApp, apply);
    apply();
}

} // namespace QtTranslation
