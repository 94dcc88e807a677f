#include "FakeOsascript.h"

#include "AppleScriptSource.h"
#include "FixtureCueRows.h"

#include <QFile>
#include <QRegularExpression>
#include <QThread>

using namespace Qt::StringLiterals;

namespace {

// As JSONString in QLab_Importer.txt writes it.
QString jsonString(const QString &text)
{
    QString json = u"\""_s;
    for (QChar c : text) {
        if (c == u'\\' || c == u'"') {
            json += u'\\';
            json += c;
        } else if (c.unicode() < 0x20) {
            json += u"\\u00"_s + QString::number(c.unicode(), 16).rightJustified(2, u'0');
        } else {
            json += c;
        }
    }
    return json + u'"';
}

QString jsonArray(const QStringList &texts)
{
    QStringList items;
    for (const QString &text : texts)
        items.append(jsonString(text));
    return u"["_s + items.join(u',') + u']';
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
    if (qEnvironmentVariableIsSet("FAKE_OSASCRIPT_ERROR_NUMBER"))
        switches.errorNumber = qEnvironmentVariableIntValue("FAKE_OSASCRIPT_ERROR_NUMBER");
    switches.silentExitStatus = qEnvironmentVariableIntValue("FAKE_OSASCRIPT_EXIT");
    switches.failOnly = qEnvironmentVariable("FAKE_OSASCRIPT_FAIL_ONLY");
    switches.noFiles = qEnvironmentVariable("FAKE_OSASCRIPT_NO_FILES") == u"1";
    if (qEnvironmentVariableIsSet("FAKE_OSASCRIPT_RESULT_TEXT"))
        switches.resultText = qEnvironmentVariable("FAKE_OSASCRIPT_RESULT_TEXT");
    switches.delayMilliseconds = qEnvironmentVariableIntValue("FAKE_OSASCRIPT_DELAY_MS");
    switches.logPath = qEnvironmentVariable("FAKE_OSASCRIPT_LOG");
    return switches;
}

FakeOsascript::FakeOsascript(const Switches &switches)
    : m_switches(switches)
{ }

QString FakeOsascript::kindOf(const QString &script)
{
    static const QRegularExpression statementLine(
        uR"re(^\s*(?:delay\s+[0-9.]+|(?:log|return)\s+".*"|error\s+".*"(?:\s+number\s+-?\d+)?|--.*)?\s*$)re"_s,
        QRegularExpression::UseUnicodePropertiesOption);
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
    const QStringList lines = script.split(u'\n');
    if (std::all_of(lines.cbegin(), lines.cend(),
            [](const QString &line) { return statementLine.match(line).hasMatch(); }))
        return u"statement"_s;
    return {};
}

FakeOsascript::Answer FakeOsascript::run(const QString &script)
{
    m_scriptLength = script.size();
    const QString kind = kindOf(script);
    log(kind.isEmpty() ? u"unknown"_s : kind);
    if (m_switches.delayMilliseconds > 0)
        QThread::msleep(m_switches.delayMilliseconds);

    const bool switchApplies = m_switches.failOnly.isEmpty() || m_switches.failOnly == kind;
    if (switchApplies && m_switches.silentExitStatus != 0)
        return Answer { m_switches.silentExitStatus, {}, {} };
    if (switchApplies && !m_switches.errorMessage.isEmpty())
        return executionError(m_switches.errorMessage, m_switches.errorNumber);
    if (kind.isEmpty())
        return Answer { 1, {},
            u"0:0: syntax error: The fake osascript does not know this script. (-2741)"_s };
    return answer(kind, script);
}

FakeOsascript::Answer FakeOsascript::answer(const QString &kind, const QString &script)
{
    if (kind == u"trigger")
        return answerTrigger(script);
    if (kind == u"import")
        return answerImport(script);
    if (kind == u"oscTest" || kind == u"oscDebug")
        return answerDiagnostic(kind);
    if (kind == u"check")
        return answerCheck();
    if (kind == u"listing")
        return answerListing(script);
    return answerStatements(script);
}

const WorkspaceFixture::Workspace *FakeOsascript::addressed(const QString &script) const
{
    const std::optional<QString> name
        = AppleScriptSource::stringAfter(script, u"set workspaceName to ");
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
            + AppleScriptSource::stringAfter(script, u"set workspaceName to ").value_or(QString())
            + u'.',
        -1728);
}

FakeOsascript::Answer FakeOsascript::answerTrigger(const QString &script)
{
    const std::optional<QStringList> ids = AppleScriptSource::listAfter(script, u"set idList to ");
    const std::optional<QString> path
        = AppleScriptSource::stringAfter(script, u"set outputFile to ");
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
    const FixtureCueRows rows(*workspace);
    const bool readsTriggers = defines(script, u"TriggerText"_s);
    QStringList pairs;
    for (const QString &id : *ids) {
        // QLab not knowing the cue, like a missing handler, fails inside the script's try.
        const WorkspaceFixture::Cue *cue = workspace->cue(id);
        const QString text = cue && readsTriggers ? rows.triggerText(*cue) : QString();
        pairs.append(jsonString(id) + u':' + jsonString(text));
    }
    writeResult(*path, u"{"_s + pairs.join(u',') + u'}');
    return {};
}

FakeOsascript::Answer FakeOsascript::answerImport(const QString &script)
{
    const std::optional<QString> listID
        = AppleScriptSource::stringAfter(script, u"set targetCueListID to ");
    const std::optional<QString> path
        = AppleScriptSource::stringAfter(script, u"set outputFile to ");
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
    QString listName = FixtureCueRows::name(*list);
    if (listName.isEmpty())
        listName = u"Main Cue List"_s;
    QStringList rowTexts;
    for (const QStringList &row : FixtureCueRows(*workspace).rows(*list, oscOn))
        rowTexts.append(jsonArray(row));
    writeResult(*path,
        u"{\"name\":"_s + jsonString(listName) + u",\"cues\":["_s + rowTexts.join(u',') + u"]}"_s);
    return {};
}

FakeOsascript::Answer FakeOsascript::answerDiagnostic(const QString &kind)
{
    if (!m_switches.qlabNotRunning) {
        QString error;
        if (!m_switches.workspacePath.isEmpty() && !m_fixture)
            m_fixture = WorkspaceFixture::load(m_switches.workspacePath, &error);
    }
    if (m_switches.qlabNotRunning || (m_fixture && !m_fixture->qlabRunning()))
        return executionError(u"QLab 5 is not running / QLab 5 не запущен"_s, -600);
    if (const std::optional<Answer> unavailable = qlabUnavailable(true))
        return *unavailable;
    if (kind == u"oscDebug") {
        const auto &cues = m_fixture->workspaces().constFirst().cues;
        const bool hasFade = std::any_of(cues.cbegin(), cues.cend(),
            [](const WorkspaceFixture::Cue &cue) { return cue.text(u"type") == u"Fade"; });
        if (!hasFade)
            return executionError(
                u"No fade cues in the front workspace / В рабочей области нет fade cue"_s, -1728);
    }
    // The real scripts show their report in a dialog; nothing comes back.
    return {};
}

FakeOsascript::Answer FakeOsascript::answerCheck()
{
    if (const std::optional<Answer> unavailable = qlabUnavailable(false))
        return *unavailable;
    if (m_switches.qlabNotRunning || !m_fixture->qlabRunning())
        return Answer { 0, u"{\"running\":false,\"workspaceCount\":0,\"workspaceNames\":[]}"_s,
            {} };
    QStringList names;
    for (const WorkspaceFixture::Workspace &workspace : m_fixture->workspaces())
        names.append(workspace.displayName.isEmpty() ? u"Untitled"_s : workspace.displayName);
    return Answer { 0,
        u"{\"running\":true,\"workspaceCount\":"_s + QString::number(names.size())
            + u",\"workspaceNames\":"_s + jsonArray(names) + u'}',
        {} };
}

FakeOsascript::Answer FakeOsascript::answerListing(const QString &script)
{
    if (const std::optional<Answer> unavailable = qlabUnavailable(true))
        return *unavailable;
    const WorkspaceFixture::Workspace *workspace = addressed(script);
    if (!workspace)
        return noSuchWorkspace(script);
    QStringList entries;
    for (qsizetype index : workspace->cueLists) {
        const WorkspaceFixture::Cue &list = workspace->cues.at(index);
        QString name = FixtureCueRows::name(list);
        if (name.isEmpty())
            name = u"Main Cue List"_s;
        entries.append(u"{\"id\":"_s + jsonString(list.uniqueID()) + u",\"name\":"_s
            + jsonString(name) + u",\"cueCount\":"_s + QString::number(list.children.size())
            + u'}');
    }
    return Answer { 0, u"["_s + entries.join(u',') + u']', {} };
}

FakeOsascript::Answer FakeOsascript::answerStatements(const QString &script)
{
    static const QRegularExpression statement(
        uR"re(^\s*(delay|log|return|error)\s+(?:([0-9.]+)|(".*")(?:\s+number\s+(-?\d+))?)\s*$)re"_s,
        QRegularExpression::UseUnicodePropertiesOption);
    for (const QString &line : script.split(u'\n')) {
        const QRegularExpressionMatch match = statement.match(line);
        if (!match.hasMatch())
            continue;
        const QString verb = match.captured(1);
        if (verb == u"delay") {
            QThread::msleep(static_cast<unsigned long>(match.captured(2).toDouble() * 1000));
            continue;
        }
        qsizetype position = 0;
        const QString literal = match.captured(3);
        const QString text
            = AppleScriptSource::stringLiteral(literal, &position).value_or(QString());
        if (verb == u"log")
            log(text);
        else if (verb == u"return")
            return Answer { 0, text, {} };
        else
            return executionError(
                text, match.captured(4).isEmpty() ? -2700 : match.captured(4).toInt());
    }
    return {};
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
