#include "import/AppleScriptImport.h"

#include "import/ImportError.h"
#include "model/AppText.h"
#include "model/JsonCodingError.h"
#include "qlab/AppleScriptRunner.h"
#include "qlab/QLab_Importer.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace {

using RunnerError = AppleScriptRunner::RunnerError;

// Names go into the JSON through the importer's JSONString handler, which escapes backslashes,
// quotes and control characters, so no workspace or list name can break the answer. A reported
// workspace without a name is "Untitled".
const QString checkBody = uR"(-- Marrowlark: QLab check
set resultText to "{\"running\":false,\"workspaceCount\":0,\"workspaceNames\":[]}"
tell application "System Events" to set qlabRunning to (exists process "QLab")
if not qlabRunning then return resultText
set workspaceNames to {}
tell application id "com.figure53.QLab.5"
	set workspaceCount to count of workspaces
	repeat with theWorkspace in workspaces
		set workspaceName to ""
		try
			set workspaceName to name of theWorkspace
		end try
		if workspaceName is missing value or workspaceName is "" then set workspaceName to "Untitled"
		set end of workspaceNames to my JSONString(workspaceName)
	end repeat
end tell
return "{\"running\":true,\"workspaceCount\":" & workspaceCount & ",\"workspaceNames\":[" & my JoinTexts(workspaceNames, ",") & "]}"
)"_s;

const QString listingBody = uR"(-- Marrowlark: cue list listing
set listEntries to {}
tell application id "com.figure53.QLab.5"
	tell workspace workspaceName
		repeat with theList in cue lists
			set listName to q list name of theList
			if listName is missing value or listName is "" then set listName to "Main Cue List"
			set listEntry to "{\"id\":" & my JSONString(id of theList) & ",\"name\":" & my JSONString(listName) & ",\"cueCount\":" & (count of every cue of theList) & "}"
			set end of listEntries to listEntry
		end repeat
	end tell
end tell
return "[" & my JoinTexts(listEntries, ",") & "]"
)"_s;

QString withHandlers(const QString &body)
{
    return body + u'\n' + QLab_Importer::loadImporterHandlers();
}

// Reads and deletes the file; nothing when it cannot be read.
std::optional<QByteArray> takeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    file.close();
    file.remove();
    return bytes;
}

} // namespace

QString AppleScriptImport::qlabCheckScript()
{
    return withHandlers(checkBody);
}

QString AppleScriptImport::cueListListingScript(const QString &workspaceName)
{
    return withHandlers(QLab_Importer::workspaceLine(workspaceName) + listingBody);
}

QCoro::Task<CheckQLabResult> AppleScriptImport::checkQLab()
{
    const QString text = co_await AppleScriptRunner::shared().runAndGetString(qlabCheckScript());
    try {
        co_return CheckQLabResult::fromJson(text.toUtf8());
    } catch (const JsonCodingError &error) {
        throw RunnerError::jsonDecodingFailed(error.description());
    }
}

QCoro::Task<QList<CueListInfo>> AppleScriptImport::listCueLists(QString workspaceName)
{
    const QString text
        = co_await AppleScriptRunner::shared().runAndGetString(cueListListingScript(workspaceName));
    try {
        co_return CueListInfo::listFromJson(text.toUtf8());
    } catch (const JsonCodingError &error) {
        throw RunnerError::jsonDecodingFailed(error.description());
    }
}

QCoro::Task<QHash<QString, QString>> AppleScriptImport::loadTriggers(
    QStringList cueIDs, QString outputPath, QString workspaceName)
{
    // Whatever lay at the path before is not this script's answer.
    QFile::remove(outputPath);
    co_await AppleScriptRunner::shared().runIgnoringResult(
        QLab_Importer::buildTriggerScript(cueIDs, outputPath, workspaceName));
    const std::optional<QByteArray> bytes = takeFile(outputPath);
    QHash<QString, QString> triggers;
    const QJsonDocument document = QJsonDocument::fromJson(bytes.value_or(QByteArray()));
    const QJsonObject object = document.object();
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        if (!it.value().isString())
            co_return QHash<QString, QString>();
        triggers.insert(it.key(), it.value().toString());
    }
    co_return triggers;
}

QCoro::Task<ImportCueList> AppleScriptImport::importCueList(
    QString cueListID, bool oscEnabled, QString outputPath, QString workspaceName)
{
    QFile::remove(outputPath);
    co_await AppleScriptRunner::shared().runIgnoringResult(
        QLab_Importer::buildImportScript(cueListID, oscEnabled, outputPath, workspaceName));
    const std::optional<QByteArray> bytes = takeFile(outputPath);
    if (!bytes)
        throw ImportError::scriptError(AppText::failedToReadCueListData());
    QString error;
    const auto list = ImportCueList::fromJson(*bytes, &error);
    if (!list)
        throw RunnerError::jsonDecodingFailed(error);
    co_return *list;
}
