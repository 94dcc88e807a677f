#include "export/ExportResultHost.h"
#include "model/LanguageManager.h"
#include "platform/PortalAppearance.h"
#include "qlab/QLab_Importer.h"
#include "qlab/QLab_NotesWriter.h"
#include "scripting/ScriptingService.h"
#include "store/ProjectStore.h"
#include "ui/ApplicationMenus.h"
#include "ui/ExportResultWindows.h"
#include "ui/MainWindowView.h"
#include "ui/MarrowlarkApp.h"
#include "ui/QtFileDialogs.h"

int main(int argc, char *argv[])
{
    MarrowlarkApp::exitCleanlyIfQtCannotStart();
    MarrowlarkApp app(argc, argv);
    // The desktop's colour scheme, for the automatic theme.
    LanguageManager::shared().setSystemAppearance(new PortalAppearance);

    QtFileDialogs dialogs;
    FileDialogs::setCurrent(&dialogs);
    ExportResultWindows exportResults;
    ExportResultHost::setCurrent(&exportResults);

    // The store with its import machine and the import road behind it.
    ProjectStore &store = ProjectStore::shared();
    QLab_Importer importer(dialogs);
    // Other programs' script commands change the same store.
    ScriptingService::start(store);

    MainWindowView window(store, QLab_NotesWriter::shared());
    ApplicationMenus menus(window, importer);
    dialogs.setWindow(&window);
    window.show();

    const int status = app.exec();
    FileDialogs::setCurrent(nullptr);
    ExportResultHost::setCurrent(nullptr);
    return status;
}
