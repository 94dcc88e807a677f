#pragma once

#include <QTemporaryDir>

// Makes the C library write numbers as a Russian desktop does (a decimal comma), which Qt makes
// the process locale at start. The locale is built with localedef into folder when the system
// lacks it. Returns whether the comma is in force; restore with std::setlocale(LC_NUMERIC, "C").
bool useDecimalCommaLocale(const QTemporaryDir &folder);
