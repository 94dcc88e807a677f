#include "qlab/QLab_Importer.h"

#include "model/AppText.h"
#include "model/FileDialogs.h"
#include "qlab/AppleScriptProcess.h"
#include "qlab/AppleScriptText.h"
#include "qlab/OSCCueAddress.h"

#include <QFile>
#include <QPointer>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Handlers that belong to the resource as a program of its own, never to a built script.
const QStringList removedHandlers = {
    u"ApplicationServiceOSC"_s,
    u"ExportQLabWorkspaceOSC"_s,
    u"ExportWorkspaceDataOSC"_s,
    u"SendToVantorelle"_s,
    u"showOSCSetupDialog"_s,
    u"FindAllCueLists"_s,
    u"FindGroupCueListsRecursive"_s,
};

const QString missingHandlers = u"-- ERROR: QLab_Importer.txt not found in bundle"_s;

// Every identifier gets a pair, with the empty text when QLab does not know the cue.
const QString triggerBody = uR"(
set triggerPairs to {}
repeat with cueID in idList
	set cueID to contents of cueID
	set cueTriggers to ""
	try
		tell application id "com.figure53.QLab.5"
			set theCue to cue id cueID of workspace workspaceName
		end tell
		set cueTriggers to my TriggerText(theCue)
	end try
	set end of triggerPairs to my JSONString(cueID) & ":" & my JSONString(cueTriggers)
end repeat
my WriteTextFile("{" & my JoinTexts(triggerPairs, ",") & "}", outputFile)

)"_s;

const QString importTail = uR"(
tell application id "com.figure53.QLab.5"
	tell workspace workspaceName
		set targetList to cue id targetCueListID
		set listName to q list name of targetList
	end tell
end tell
if listName is missing value or listName is "" then set listName to "Main Cue List"
set cueData to my GetCueDataOSC(targetList, oscEnabled)
set rowTexts to {}
repeat with rowFields in cueData
	set fieldTexts to {}
	repeat with fieldValue in rowFields
		set end of fieldTexts to my JSONString(contents of fieldValue)
	end repeat
	set end of rowTexts to "[" & my JoinTexts(fieldTexts, ",") & "]"
end repeat
my WriteTextFile("{\"name\":" & my JSONString(listName) & ",\"cues\":[" & my JoinTexts(rowTexts, ",") & "]}", outputFile)
)"_s;

QString trimmedOfBlanks(const QString &line)
{
    qsizetype first = 0;
    qsizetype last = line.size();
    while (first < last && (line.at(first) == u' ' || line.at(first) == u'\t'))
        ++first;
    while (last > first && (line.at(last - 1) == u' ' || line.at(last - 1) == u'\t'))
        --last;
    return line.mid(first, last - first);
}

} // namespace

QLab_Importer::QLab_Importer(FileDialogs &alerts, const QString &scriptFolder, QObject *parent)
    : QObject(parent)
    , m_alerts(alerts)
    , m_scriptFolder(scriptFolder)
{ }

QString QLab_Importer::workspaceLine(const QString &workspaceName)
{
    return u"set workspaceName to "_s + AppleScriptText::stringLiteral(workspaceName) + u'\n';
}

QString QLab_Importer::buildTriggerScript(
    const QStringList &cueIDs, const QString &outputPath, const QString &workspaceName)
{
    QStringList literals;
    for (const QString &cueID : cueIDs) {
        if (OSCCueAddress::isSendable(cueID))
            literals.append(AppleScriptText::stringLiteral(cueID));
    }
    return u"set idList to {"_s + literals.join(u", "_s) + u"}\n"_s + workspaceLine(workspaceName)
        + u"set outputFile to "_s + AppleScriptText::stringLiteral(outputPath) + triggerBody
        + loadImporterHandlers();
}

QString QLab_Importer::buildImportScript(const QString &cueListID, bool oscEnabled,
    const QString &outputPath, const QString &workspaceName)
{
    return u"use AppleScript version \"2.4\"\nuse scripting additions\n\n"_s
        + loadImporterHandlers() + u"\n\n-- Основной скрипт: извлечение данных из cue list\n"_s
        + u"set oscEnabled to (\""_s + (oscEnabled ? u"true"_s : u"false"_s)
        + u"\" = \"true\")\nset targetCueListID to "_s + AppleScriptText::stringLiteral(cueListID)
        + u"\n"_s + workspaceLine(workspaceName) + u"set outputFile to "_s
        + AppleScriptText::stringLiteral(outputPath) + importTail;
}

QString QLab_Importer::loadImporterHandlers()
{
    QFile file(u":/applescript/QLab_Importer.txt"_s);
    if (!file.open(QIODevice::ReadOnly))
        return missingHandlers;
    return importerHandlers(QString::fromUtf8(file.readAll()));
}

QString QLab_Importer::importerHandlers(const QString &resourceText)
{
    // First pass: comment blocks, "use" and version lines go; the call that starts the resource
    // as a program of its own ends the handlers.
    QStringList kept;
    bool inComment = false;
    for (const QString &line : resourceText.split(u'\n')) {
        const QString trimmed = trimmedOfBlanks(line);
        if (inComment) {
            if (trimmed.endsWith(u"*)"))
                inComment = false;
            continue;
        }
        if (trimmed.startsWith(u"(*")) {
            inComment = true;
            continue;
        }
        if (trimmed.startsWith(u"use ") || trimmed.startsWith(u"-- Version"))
            continue;
        if (trimmed == u"ApplicationServiceOSC()")
            break;
        kept.append(line);
    }

    // Second pass: the handlers only a program of its own needs.
    QStringList handlers;
    QString removing;
    for (const QString &line : std::as_const(kept)) {
        const QString trimmed = trimmedOfBlanks(line);
        if (!removing.isEmpty()) {
            if (trimmed == u"end "_s + removing)
                removing.clear();
            continue;
        }
        const auto opened = std::find_if(removedHandlers.cbegin(), removedHandlers.cend(),
            [&](const QString &name) { return trimmed.startsWith(u"on "_s + name); });
        if (opened != removedHandlers.cend()) {
            removing = *opened;
            continue;
        }
        handlers.append(line);
    }
    return handlers.join(u'\n');
}

QCoro::Task<> QLab_Importer::runOSCTest()
{
    return runResourceScript(u"QLab_OSC_Test.txt"_s, AppText::oscTestScriptNotFound());
}

QCoro::Task<> QLab_Importer::runOSCDebug()
{
    return runResourceScript(u"QLab_OSC_Debug.txt"_s, AppText::oscDebugScriptNotFound());
}

QCoro::Task<> QLab_Importer::runResourceScript(
    const QString &fileName, const QString &notFoundMessage)
{
    QFile file(m_scriptFolder + u'/' + fileName);
    if (!file.exists()) {
        showErrorOnMain(notFoundMessage);
        co_return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        showErrorOnMain(AppText::scriptReadError(file.errorString()));
        co_return;
    }
    co_await runScript(QString::fromUtf8(file.readAll()));
}

QCoro::Task<> QLab_Importer::runScript(QString source)
{
    const QPointer<QLab_Importer> self(this);
    const AppleScriptProcess::Outcome outcome = co_await AppleScriptProcess::run(std::move(source));
    if (!self)
        co_return;
    switch (outcome.status) {
    case AppleScriptProcess::Outcome::Status::succeeded:
        break;
    case AppleScriptProcess::Outcome::Status::notStarted:
        showImportErrorAlert(AppText::scriptCreationError());
        break;
    case AppleScriptProcess::Outcome::Status::failed:
        showImportErrorAlert(AppText::appleScriptError(
            outcome.errorMessage.isEmpty() ? AppText::unknownError() : outcome.errorMessage));
        break;
    }
}

void QLab_Importer::showImportErrorAlert(const QString &message)
{
    m_alerts.showAlert(AppText::importErrorTitle(), message);
}

void QLab_Importer::showErrorOnMain(const QString &message)
{
    QTimer::singleShot(0, this, [this, message] { showImportErrorAlert(message); });
}
