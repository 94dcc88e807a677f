#pragma once

#include <QString>

// Opening a file with its default application and showing it in the file manager.
namespace DesktopFiles {

void openFile(const QString &path);
// Asks the file manager over D-Bus (org.freedesktop.FileManager1.ShowItems) to show the file
// selected; when nothing answers there, opens the folder that holds it.
void revealFile(const QString &path);

} // namespace DesktopFiles
