#include "FakeOsascript.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace {

QString jsonText(const QJsonDocument &document)
{
    return QString::fromUtf8(document.toJson(QJsonDocument::Compact));
}

// The list's name as QLab's AppleScript gives it: q list name, else q name.
QString listName(const WorkspaceFixture::Cue &list)
{
    const QJsonValue name = list.properties.value(u"listName");
    const QString text = name.isString() ? name.toString() : list.text(u"name");
    return text.isEmpty() ? u"Main Cue List"_s : text;
}

// The AppleScript string literal at the start of text, its escapes (\" \\ \n \t \r) read as
// AppleScript reads them; *length is what it takes up in the source.
std::optional<QString> literalAt(QStringView text, qsizetype *length)
{
    if (!text.startsWith(u'"'))
        return std::nullopt;
    QString value;
    for (qsizetype at = 1; at < text.size(); ++at) {
        QChar c = text.at(at);
        if (c == u'"') {
            *length = at + 1;
            return value;
        }
        if (c == u'\\') {
            if (++at == text.size() || !QStringView(u"\"\\ntr").contains(text.at(at)))
                return std::nullopt; // AppleScript refuses to compile any other escape
            const char16_t e = text.at(at).unicode();
            c = e == u'n'   ? QChar(u'\n')
                : e == u't' ? QChar(u'\t')
                : e == u'r' ? QChar(u'\r')
                            : text.at(at);
        }
        value += c;
    }
    return std::nullopt;
}

// The literal after the first occurrence of prefix, e.g. "set outputFile to ".
std::optional<QString> stringAfter(const QString &script, QStringView prefix)
{
    const qsizetype found = script.indexOf(prefix);
    qsizetype length = 0;
    return found < 0 ? std::nullopt
                     : literalAt(QStringView(script).mid(found + prefix.size()), &length);
}

// The list of literals after the first occurrence of prefix, written as {"a", "b"}.
std::optional<QStringList> listAfter(const QString &script, QStringView prefix)
{
    const qsizetype found = script.indexOf(prefix);
    QStringView rest = QStringView(script).mid(found + prefix.size());
    if (found < 0 || !rest.startsWith(u'{'))
        return std::nullopt;
    rest = rest.mid(1);
    QStringList items;
    while (!rest.startsWith(u'}')) {
        qsizetype length = 0;
        const std::optional<QString> item = literalAt(rest, &length);
        if (!item)
            return std::nullopt;
        items.append(*item);
        rest = rest.mid(length);
        if (rest.startsWith(u", "))
            rest = rest.mid(2);
        else if (!rest.startsWith(u'}'))
            return std::nullopt;
    }
    return items;
}

bool defines(const QString &script, const QString &handler)
{
    return script.contains(u"on "_s + handler + u'(');
}

} // namespace

FakeOsascript::Switches FakeOsascript::Switches::fromEnvironment()
{
    Switches switches;
    switches.workspacePath = qEnvironmentVariable("FAKE_QLAB_WORKSPACE");
    switches.qlabNotRunning = qEnvironmentVariable("FAKE_QLAB_NOT_RUNNING") == u"1";
    switches.errorMessage = qEnvironmentVariable("FAKE_OSASCRIPT_ERROR");
    switches.silentExitStatus = qEnvironmentVariableIntValue("FAKE_OSASCRIPT_EXIT");
    switches.failOnly = qEnvironmentVariable("FAKE_OSASCRIPT_FAIL_ONLY");
    switches.noFiles = qEnvironmentVariable("FAKE_OSASCRIPT_NO_FILES") == u"1";
    if (qEnvironmentVariableIsSet("FAKE_OSASCRIPT_RESULT_TEXT"))
        switches.resultText = qEnvironmentVariable("FAKE_OSASCRIPT_RESULT_TEXT");
    switches.logPath = qEnvironmentVariable("FAKE_OSASCRIPT_LOG");
    return switches;
}

FakeOsascript::FakeOsascript(const Switches &switches)
    : m_switches(switches)
{ }

QString FakeOsascript::kindOf(const QString &script)
{
    if (script.startsWith(u"set idList to {"))
        return u"trigger"_s;
    if (script.contains(u"GetCueDataOSC(targetList, oscEnabled)")
        && script.contains(u"set targetCueListID to "))
        return u"import"_s;
    if (defines(script, u"ConnectionReport"_s))
        return u"oscTest"_s;
    if (defines(script, u"FadeReport"_s))
        return u"oscDebug"_s;
    if (script.contains(u"workspaceCount"))
        return u"check"_s;
    if (script.contains(u"cueCount"))
        return u"listing"_s;
    return {};
}

FakeOsascript::Answer FakeOsascript::run(const QString &script)
{
    m_scriptLength = script.size();
    const QString kind = kindOf(script);
    log(kind.isEmpty() ? u"unknown"_s : kind);

    const bool switchApplies = m_switches.failOnly.isEmpty() || m_switches.failOnly == kind;
    if (switchApplies && m_switches.silentExitStatus != 0)
        return Answer { m_switches.silentExitStatus, {}, {} };
    if (switchApplies && !m_switches.errorMessage.isEmpty())
        return executionError(m_switches.errorMessage, -2700);
    if (kind.isEmpty())
        return Answer { 1, {},
            u"0:0: syntax error: The fake osascript does not know this script. (-2741)"_s };
    if (kind == u"trigger")
        return answerTrigger(script);
    if (kind == u"import")
        return answerImport(script);
    if (kind == u"check")
        return answerCheck();
    return kind == u"listing" ? answerListing(script) : answerDiagnostic();
}

const WorkspaceFixture::Workspace *FakeOsascript::addressed(const QString &script) const
{
    const std::optional<QString> name = stringAfter(script, u"set workspaceName to ");
    const QList<WorkspaceFixture::Workspace> &open = m_fixture->workspaces();
    if (!name)
        return &open.constFirst();
    // `workspace "name"` finds the first open workspace of that name.
    for (const WorkspaceFixture::Workspace &workspace : open) {
        if ((workspace.displayName.isEmpty() ? u"Untitled"_s : workspace.displayName) == *name)
            return &workspace;
    }
    return nullptr;
}

FakeOsascript::Answer FakeOsascript::noSuchWorkspace(const QString &script) const
{
    return executionError(u"QLab got an error: Can’t get workspace "_s
            + stringAfter(script, u"set workspaceName to ").value_or(QString()) + u'.',
        -1728);
}

FakeOsascript::Answer FakeOsascript::answerTrigger(const QString &script)
{
    const std::optional<QStringList> ids = listAfter(script, u"set idList to ");
    const std::optional<QString> path = stringAfter(script, u"set outputFile to ");
    if (!ids || !path)
        return Answer { 1, {}, u"0:0: syntax error: Expected expression. (-2741)"_s };
    for (const QString &handler : { u"JSONString"_s, u"JoinTexts"_s, u"WriteTextFile"_s }) {
        if (!defines(script, handler))
            return executionError(
                u"«script» doesn’t understand the “"_s + handler + u"” message."_s, -1708);
    }
    if (const std::optional<Answer> unavailable = qlabUnavailable(true))
        return *unavailable;

    const WorkspaceFixture::Workspace *workspace = addressed(script);
    if (!workspace)
        return noSuchWorkspace(script);
    const bool readsTriggers = defines(script, u"TriggerText"_s);
    QJsonObject triggers;
    for (const QString &id : *ids) {
        // QLab not knowing the cue, like a missing handler, fails inside the script's try.
        const WorkspaceFixture::Cue *cue = workspace->cue(id);
        triggers.insert(id, cue && readsTriggers ? cue->text(u"trigger text") : QString());
    }
    writeResult(*path, jsonText(QJsonDocument(triggers)));
    return {};
}

FakeOsascript::Answer FakeOsascript::answerImport(const QString &script)
{
    const std::optional<QString> listID = stringAfter(script, u"set targetCueListID to ");
    const std::optional<QString> path = stringAfter(script, u"set outputFile to ");
    const bool oscOn = script.contains(u"set oscEnabled to (\"true\" = \"true\")");
    const bool oscOff = script.contains(u"set oscEnabled to (\"false\" = \"true\")");
    if (!listID || !path || oscOn == oscOff)
        return Answer { 1, {}, u"0:0: syntax error: Expected expression. (-2741)"_s };
    if (const std::optional<Answer> unavailable = qlabUnavailable(true))
        return *unavailable;

    const WorkspaceFixture::Workspace *workspace = addressed(script);
    if (!workspace)
        return noSuchWorkspace(script);
    const WorkspaceFixture::Cue *list = workspace->cue(*listID);
    if (!list)
        return executionError(
            u"QLab got an error: Can’t get cue id \""_s + *listID + u"\"."_s, -1728);
    for (const QString &handler :
        { u"GetCueDataOSC"_s, u"JSONString"_s, u"JoinTexts"_s, u"WriteTextFile"_s }) {
        if (!defines(script, handler))
            return executionError(
                u"«script» doesn’t understand the “"_s + handler + u"” message."_s, -1708);
    }
    // The rows the fixture holds for the list; with OSC on, QLab's levels are left for OSC.
    const QJsonValue withOSC = list->properties.value(u"cue rows with OSC");
    const QJsonValue rows
        = oscOn && withOSC.isArray() ? withOSC : list->properties.value(u"cue rows");
    writeResult(*path,
        jsonText(QJsonDocument(
            QJsonObject { { u"name"_s, listName(*list) }, { u"cues"_s, rows.toArray() } })));
    return {};
}

// The diagnostic scripts check for QLab themselves and show their report in a dialog: nothing
// comes back.
FakeOsascript::Answer FakeOsascript::answerDiagnostic()
{
    if (m_switches.qlabNotRunning)
        return executionError(u"QLab 5 is not running / QLab 5 не запущен"_s, -600);
    const std::optional<Answer> unavailable = qlabUnavailable(true);
    return unavailable ? *unavailable : Answer {};
}

FakeOsascript::Answer FakeOsascript::answerCheck()
{
    if (const std::optional<Answer> unavailable = qlabUnavailable(false))
        return *unavailable;
    if (m_switches.qlabNotRunning || !m_fixture->qlabRunning())
        return Answer { 0, u"{\"running\":false,\"workspaceCount\":0,\"workspaceNames\":[]}"_s,
            {} };
    QJsonArray names;
    for (const WorkspaceFixture::Workspace &workspace : m_fixture->workspaces())
        names.append(workspace.displayName.isEmpty() ? u"Untitled"_s : workspace.displayName);
    return Answer { 0,
        jsonText(QJsonDocument(QJsonObject { { u"running"_s, true },
            { u"workspaceCount"_s, names.size() }, { u"workspaceNames"_s, names } })),
        {} };
}

FakeOsascript::Answer FakeOsascript::answerListing(const QString &script)
{
    if (const std::optional<Answer> unavailable = qlabUnavailable(true))
        return *unavailable;
    const WorkspaceFixture::Workspace *workspace = addressed(script);
    if (!workspace)
        return noSuchWorkspace(script);
    QJsonArray entries;
    for (qsizetype index : workspace->cueLists) {
        const WorkspaceFixture::Cue &list = workspace->cues.at(index);
        entries.append(QJsonObject { { u"id"_s, list.uniqueID() }, { u"name"_s, listName(list) },
            { u"cueCount"_s, list.children.size() } });
    }
    return Answer { 0, jsonText(QJsonDocument(entries)), {} };
}

std::optional<FakeOsascript::Answer> FakeOsascript::qlabUnavailable(bool needsWorkspace)
{
    if (!m_fixture) {
        if (m_switches.workspacePath.isEmpty())
            return Answer { 2, {}, u"fake osascript: FAKE_QLAB_WORKSPACE names no fixture"_s };
        QString error;
        m_fixture = WorkspaceFixture::load(m_switches.workspacePath, &error);
        if (!m_fixture)
            return Answer { 2, {}, u"fake osascript: "_s + error };
    }
    if (!needsWorkspace)
        return std::nullopt;
    if (m_switches.qlabNotRunning || !m_fixture->qlabRunning())
        return executionError(u"QLab got an error: Application isn’t running."_s, -600);
    if (m_fixture->workspaces().isEmpty())
        return executionError(u"QLab got an error: Can’t get front workspace."_s, -1728);
    return std::nullopt;
}

FakeOsascript::Answer FakeOsascript::executionError(const QString &message, int number) const
{
    return Answer { 1, {},
        u"0:"_s + QString::number(m_scriptLength) + u": execution error: "_s + message + u" ("_s
            + QString::number(number) + u')' };
}

void FakeOsascript::writeResult(const QString &path, const QString &json) const
{
    if (m_switches.noFiles)
        return;
    // As the script's own write: any failure only leaves no file.
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(m_switches.resultText.value_or(json).toUtf8());
}

void FakeOsascript::log(const QString &line) const
{
    if (m_switches.logPath.isEmpty())
        return;
    QFile file(m_switches.logPath);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.write(line.toUtf8() + '\n');
}
