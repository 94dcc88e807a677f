#include "export/ExportResultHost.h"
#include "import/ImportStateMachine.h"
#include "model/ProjectStore.h"
#include "qlab/QLab_Importer.h"
#include "qlab/QLab_NotesWriter.h"
#include "ui/ApplicationMenus.h"
#include "ui/ExportResultWindows.h"
#include "ui/MainWindowView.h"
#include "ui/MarrowlarkApp.h"
#include "ui/QtFileDialogs.h"

int main(int argc, char *argv[])
{
    MarrowlarkApp::exitCleanlyIfQtCannotStart();
    MarrowlarkApp app(argc, argv);

    QtFileDialogs dialogs;
    FileDialogs::setCurrent(&dialogs);
    ExportResultWindows exportResults;
    ExportResultHost::setCurrent(&exportResults);

    // The store with its import machine and the import road behind it.
    ProjectStore &store = ProjectStore::shared();
    QLab_Importer importer(dialogs);

    MainWindowView window(store, QLab_NotesWriter::shared());
    ApplicationMenus menus(window, importer);
    dialogs.setWindow(&window);
    window.show();

    const int status = app.exec();
    FileDialogs::setCurrent(nullptr);
    ExportResultHost::setCurrent(nullptr);
    return status;
}
