#pragma once

#include <QApplication>

// The application object: names the program for settings and windows, reads the language and
// theme settings before any window exists, draws every control in the Fusion style, keeps the
// whole application in the palette of LanguageManager::isDark and Qt's own texts in its language.
class MarrowlarkApp : public QApplication
{
    Q_OBJECT

public:
    MarrowlarkApp(int &argc, char **argv);

    // When Qt cannot start (no display), ends the program with Qt's own message and exit status
    // 1 instead of aborting. Call before constructing the application.
    static void exitCleanlyIfQtCannotStart();
};
