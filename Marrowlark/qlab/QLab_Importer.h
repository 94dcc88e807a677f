#pragma once

#include <QCoroTask>
#include <QObject>
#include <QString>
#include <QStringList>

class FileDialogs;

// Keeper of the AppleScript texts that are not fixed constants: builds the trigger script and the
// list import script that the import runs (around the handler text shipped as the resource
// "QLab_Importer"), and runs the two diagnostic scripts of the menu outside the import's queue,
// showing their failures in the "Import Error" alert. Main thread only.
class QLab_Importer : public QObject
{
    Q_OBJECT

public:
    // scriptFolder holds QLab_Importer.txt, QLab_OSC_Test.txt and QLab_OSC_Debug.txt.
    explicit QLab_Importer(FileDialogs &alerts,
        const QString &scriptFolder = QStringLiteral(":/applescript"), QObject *parent = nullptr);

    // Both scripts address the open workspace of that name.
    // Writes a JSON object from each cue identifier to its trigger text into outputPath.
    // Identifiers that could address other cues over OSC are left out, like everywhere else.
    static QString buildTriggerScript(
        const QStringList &cueIDs, const QString &outputPath, const QString &workspaceName);
    // Writes the list as {"name", "cues"} JSON into outputPath.
    static QString buildImportScript(const QString &cueListID, bool oscEnabled,
        const QString &outputPath, const QString &workspaceName);
    // The line that names the workspace a script addresses as `workspace workspaceName`.
    static QString workspaceLine(const QString &workspaceName);

    // The handlers of the resource, without the lines that belong to it as a program of its own.
    static QString loadImporterHandlers();
    static QString importerHandlers(const QString &resourceText);

    QCoro::Task<> runOSCTest();
    QCoro::Task<> runOSCDebug();
    QCoro::Task<> runScript(QString source);

    void showImportErrorAlert(const QString &message);
    // Shows the alert from the event loop, also when called there.
    void showErrorOnMain(const QString &message);

private:
    QCoro::Task<> runResourceScript(const QString &fileName, const QString &notFoundMessage);

    FileDialogs &m_alerts;
    QString m_scriptFolder;
};
