#pragma once

#include <QString>

// The program's catalogue of user-visible texts (the rows are in AppText.def). Each function
// returns the English form when the interface language is English and the Russian form otherwise,
// read at the moment of the call. Integers are written in plain decimal: no digit grouping, a
// leading minus when negative.
class AppText
{
public:
    AppText() = delete;

#define TEXT(key, parameters, arguments, english, russian) static QString key parameters;
#define COUNTED(key, englishOne, englishMany, russianOne, russianFew, russianMany)                 \
    static QString key(qint64 count);
#include "model/AppText.def"
#undef TEXT
#undef COUNTED

    // The long texts of the support and legal windows, kept in the resources.
    static QString supportText();
    static QString licenseAgreementText();
    static QString privacyPolicyText();
};
