#include "FakeFileDialogs.h"
#include "ScopedEnvironment.h"
#include "WaitForTask.h"
#include "model/LanguageManager.h"
#include "qlab/AppleScriptRunner.h"
#include "qlab/ImportResultFolder.h"
#include "qlab/QLab_Importer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using RunnerError = AppleScriptRunner::RunnerError;

namespace {

QJsonDocument readJson(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError)
        qWarning() << path << error.errorString();
    return document;
}

QStringList texts(const QJsonArray &array)
{
    QStringList result;
    for (const QJsonValue &value : array)
        result.append(value.toString());
    return result;
}

QString showFixture()
{
    return QStringLiteral(MARROWLARK_TEST_DATA) + u"/fakes/show.json"_s;
}

// A workspace whose identifiers and texts hold everything that could break a literal or JSON.
QString hostileFixture()
{
    return QStringLiteral(MARROWLARK_TEST_DATA) + u"/fakes/hostile.json"_s;
}

} // namespace

class TestImporter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    }

    void init()
    {
        m_environment.emplace();
        m_environment->useFakeOsascript(QStringLiteral(MARROWLARK_FAKEBIN));
        m_environment->set("FAKE_QLAB_WORKSPACE", showFixture());
        LanguageManager::shared().setCurrent(AppLanguage::english);
    }
    void cleanup() { m_environment.reset(); }

    void handlerText_data()
    {
        QTest::addColumn<QString>("resource");
        QTest::addColumn<QString>("handlers");
        QTest::newRow("use and version lines")
            << u"-- Version 2\nuse AppleScript version \"2.4\"\n  use scripting additions\non A()\nend A"_s
            << u"on A()\nend A"_s;
        QTest::newRow("one-line comment runs to the next comment end")
            << u"(* note *)\non A()\n  return 1 (* x *)\nend A\non B()\nend B"_s
            << u"end A\non B()\nend B"_s;
        QTest::newRow("comment block") << u"on A()\n\t(* first\n\t   second *)\n\treturn 1\nend A"_s
                                       << u"on A()\n\treturn 1\nend A"_s;
        QTest::newRow("removed handler, kept handler")
            << u"on FindAllCueLists()\n  set x to 1\nend FindAllCueLists\non GetCueDataOSC(theList, useOSC)\n  return {}\nend GetCueDataOSC"_s
            << u"on GetCueDataOSC(theList, useOSC)\n  return {}\nend GetCueDataOSC"_s;
        QTest::newRow("removed handler with parameters")
            << u"on SendToVantorelle(json, path)\n  return\n\tend SendToVantorelle\non B()\nend B"_s
            << u"on B()\nend B"_s;
        QTest::newRow("program start cuts off the rest")
            << u"on A()\nend A\n   ApplicationServiceOSC()\non B()\nend B"_s << u"on A()\nend A"_s;
        QTest::newRow("kept lines stay untrimmed")
            << u"\ton A()\t\n  end A  "_s << u"\ton A()\t\n  end A  "_s;
    }
    void handlerText()
    {
        QFETCH(QString, resource);
        QTEST(QLab_Importer::importerHandlers(resource), "handlers");
    }

    void bundledHandlers()
    {
        const QString handlers = QLab_Importer::loadImporterHandlers();
        QVERIFY(handlers.contains(u"\non GetCueDataOSC(targetList, oscEnabled)\n"));
        for (const QString &line : handlers.split(u'\n')) {
            const QString trimmed = line.trimmed();
            QVERIFY2(!trimmed.startsWith(u"use ") && !trimmed.startsWith(u"-- Version")
                    && !trimmed.startsWith(u"(*"),
                qPrintable(line));
        }
        // One JSON escaper, defined once.
        QCOMPARE(handlers.count(u"on JSONString("), 1);
    }

    void triggerScriptText_data()
    {
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("quotes and backslashes escaped") << QStringList { u"a\"b"_s, u"c\\d"_s,
            u"\\\""_s } << u"set idList to {\"a\\\"b\", \"c\\\\d\", \"\\\\\\\"\"}"_s;
        QTest::newRow("unsendable left out") << QStringList { u"ok"_s, u"with space"_s, u"a/b"_s,
            u"n\nl"_s } << u"set idList to {\"ok\"}"_s;
    }
    void triggerScriptText()
    {
        QFETCH(QStringList, ids);
        const QString script
            = QLab_Importer::buildTriggerScript(ids, u"/t/\"x\"\\.json"_s, u"A \"B\""_s);
        const QStringList lines = script.split(u'\n');
        QTEST(lines.at(0), "firstLine");
        QCOMPARE(lines.at(1), u"set workspaceName to \"A \\\"B\\\"\""_s);
        QCOMPARE(lines.at(2), u"set outputFile to \"/t/\\\"x\\\"\\\\.json\""_s);
    }

    // Every identifier asked for gets its triggers; unsendable identifiers are left out.
    void triggersFromQLab_data()
    {
        QTest::addColumn<QString>("workspace");
        QTest::addColumn<QString>("workspaceName");
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<QJsonObject>("triggers");
        // The group has no triggers of its own; a member ducks others.
        QTest::newRow("show") << showFixture() << u"Hamlet"_s
                              << QStringList { u"A-PRESHOW"_s, u"M-NOTE"_s, u"A-THUNDER"_s,
                                     u"G-STORM"_s, u"F-PRESHOW"_s, u"NOT-IN-QLAB"_s }
                              << QJsonObject { { u"A-PRESHOW"_s, u"Hotkey"_s },
                                     { u"M-NOTE"_s, u"MIDI Trigger: Note 36"_s },
                                     { u"A-THUNDER"_s, u"Duck: -10dB (1s)"_s },
                                     { u"G-STORM"_s, u"(triggers inside)"_s },
                                     { u"F-PRESHOW"_s, u""_s }, { u"NOT-IN-QLAB"_s, u""_s } };
        QTest::newRow("no identifiers")
            << showFixture() << u"Hamlet"_s << QStringList() << QJsonObject();
        QTest::newRow("hostile identifiers")
            << hostileFixture() << u"Hostile"_s
            << QStringList { u"q\"uote"_s, u"back\\slash"_s, u"with space"_s }
            << QJsonObject { { u"q\"uote"_s, u"Hotkey\nMIDI Trigger: Note 60"_s },
                   { u"back\\slash"_s, u""_s } };
    }
    void triggersFromQLab()
    {
        QFETCH(QString, workspace);
        QFETCH(QString, workspaceName);
        QFETCH(QStringList, ids);
        m_environment->set("FAKE_QLAB_WORKSPACE", workspace);
        ImportResultFolder folder;
        waitForTask(AppleScriptRunner::shared().runIgnoringResult(
            QLab_Importer::buildTriggerScript(ids, folder.triggersFilePath(), workspaceName)));
        const QJsonDocument document = readJson(folder.triggersFilePath());
        QVERIFY(document.isObject());
        QTEST(document.object(), "triggers");
    }

    // The whole list's rows are pinned by the import's golden file; here, the script's and the
    // file's shape, and that with OSC on the output levels are left for OSC.
    void importFromQLab_data()
    {
        QTest::addColumn<bool>("oscEnabled");
        QTest::addColumn<QString>("action");
        QTest::newRow("OSC off") << false << u"Audio \"Preshow music\"\n   master -3\n   <1-2> 0"_s;
        QTest::newRow("OSC on") << true << u"Audio \"Preshow music\"\n   master -3"_s;
    }
    void importFromQLab()
    {
        QFETCH(bool, oscEnabled);
        QFETCH(QString, action);
        ImportResultFolder folder;
        const QString path = folder.importFilePath(1);
        const QString script
            = QLab_Importer::buildImportScript(u"L-MAIN"_s, oscEnabled, path, u"Hamlet"_s);
        QVERIFY(script.startsWith(u"use AppleScript version \"2.4\"\nuse scripting additions\n\n"_s
            + QLab_Importer::loadImporterHandlers() + u"\n\n"_s));
        QVERIFY(script.contains(u"\n-- Основной скрипт: извлечение данных из cue list\n"_s));
        QVERIFY(script.contains(u"my GetCueDataOSC(targetList, oscEnabled)"_s));
        waitForTask(AppleScriptRunner::shared().runIgnoringResult(script));
        const QJsonObject list = readJson(path).object();
        QCOMPARE(list.keys(), QStringList({ u"cues"_s, u"name"_s }));
        QCOMPARE(list.value(u"name").toString(), u"Main Cue List"_s);
        const QJsonArray cues = list.value(u"cues").toArray();
        QCOMPARE(cues.size(), 14);
        QCOMPARE(texts(cues.at(0).toArray()),
            QStringList({ u"Audio"_s, u"1"_s, u"Preshow music"_s, action, u"House open"_s,
                u"Hotkey"_s, u"A-PRESHOW"_s, u"0.00"_s, u"0.00"_s }));
    }

    void hostileTextsRoundTrip()
    {
        m_environment->set("FAKE_QLAB_WORKSPACE", hostileFixture());
        ImportResultFolder folder;
        const QString path = folder.importFilePath(0);
        waitForTask(AppleScriptRunner::shared().runIgnoringResult(
            QLab_Importer::buildImportScript(u"L\"1\\"_s, false, path, u"Hostile"_s)));
        const QJsonObject list = readJson(path).object();
        QCOMPARE(list.value(u"name").toString(), u"Act \"1\" \\ {x}"_s);
        const QJsonArray cues = list.value(u"cues").toArray();
        QCOMPARE(cues.size(), 3);
        const QStringList first = texts(cues.at(0).toArray());
        QCOMPARE(first.at(1), u"1\""_s);
        QCOMPARE(first.at(2), QString(u"tab\there vt\u000bnul"_s + QChar(0) + u"us\u001f"_s));
        QCOMPARE(first.at(4), u"line\r\nbreaks\nand \"quotes\" \\ {braces}"_s);
        QCOMPARE(first.at(5), u"Hotkey\nMIDI Trigger: Note 60"_s);
        QCOMPARE(first.at(6), u"q\"uote"_s);
        QCOMPARE(texts(cues.at(1).toArray()).at(3), u"Audio\n   master -7\n   <1-2> 0"_s);
    }

    void importFailures_data()
    {
        QTest::addColumn<QString>("listID");
        QTest::addColumn<QString>("workspaceName");
        QTest::addColumn<bool>("qlabRunning");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown list, escaped")
            << u"L\"x\\"_s << u"Hamlet"_s << true
            << u"QLab got an error: Can’t get cue id \"L\"x\\\"."_s;
        QTest::newRow("workspace not open") << u"L-MAIN"_s << u"Macbeth"_s << true
                                            << u"QLab got an error: Can’t get workspace Macbeth."_s;
        QTest::newRow("QLab not running") << u"L-MAIN"_s << u"Hamlet"_s << false
                                          << u"QLab got an error: Application isn’t running."_s;
    }
    void importFailures()
    {
        QFETCH(QString, listID);
        QFETCH(QString, workspaceName);
        QFETCH(bool, qlabRunning);
        QFETCH(QString, message);
        if (!qlabRunning)
            m_environment->set("FAKE_QLAB_NOT_RUNNING", u"1"_s);
        ImportResultFolder folder;
        const QString path = folder.importFilePath(0);
        try {
            waitForTask(AppleScriptRunner::shared().runIgnoringResult(
                QLab_Importer::buildImportScript(listID, false, path, workspaceName)));
            QFAIL("the import script did not fail");
        } catch (const RunnerError &error) {
            QCOMPARE(error.kind(), RunnerError::Kind::executionFailed);
            QCOMPARE(error.detail(), message);
        }
        QVERIFY(!QFile::exists(path));
    }

    void resultFolder()
    {
        QString folderPath;
        {
            ImportResultFolder folder;
            ImportResultFolder other;
            QVERIFY(folder.isValid());
            QVERIFY(folder.path() != other.path());
            folderPath = folder.path();
            // Mode 0700: the owner alone.
            const QFile::Permissions permissions = QFileInfo(folder.path()).permissions();
            QCOMPARE(permissions & (QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner),
                QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QCOMPARE(permissions
                    & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
                        | QFile::WriteOther | QFile::ExeOther),
                QFile::Permissions());
            QCOMPARE(folder.importFilePath(3), folderPath + u"/Vantorelle_Import_3.json"_s);
            QCOMPARE(folder.triggersFilePath(), folderPath + u"/Vantorelle_Triggers.json"_s);
            QFile leftOver(folder.importFilePath(0));
            QVERIFY(leftOver.open(QIODevice::WriteOnly));
        }
        QVERIFY(!QFileInfo::exists(folderPath));
    }

    void diagnostics_data()
    {
        QTest::addColumn<bool>("debug");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QString>("alert");
        QTest::newRow("test runs") << false << QString() << AppLanguage::english << QString();
        QTest::newRow("QLab not running")
            << false << u"notRunning"_s << AppLanguage::english
            << u"AppleScript error: QLab 5 is not running / QLab 5 не запущен"_s;
        QTest::newRow("error without message, Russian")
            << true << u"silent"_s << AppLanguage::russian
            << u"Ошибка AppleScript: Неизвестная ошибка"_s;
        QTest::newRow("no osascript")
            << false << u"noOsascript"_s << AppLanguage::english << u"Script creation error"_s;
        QTest::newRow("debug script missing") << true << u"noResources"_s << AppLanguage::english
                                              << u"OSC debug script not found in application"_s;
        QTest::newRow("test script missing, Russian")
            << false << u"noResources"_s << AppLanguage::russian
            << u"Скрипт теста OSC не найден в приложении"_s;
        QTest::newRow("unreadable script")
            << false << u"unreadable"_s << AppLanguage::english << u"Script read error: "_s;
    }
    void diagnostics()
    {
        QFETCH(bool, debug);
        QFETCH(QString, setup);
        QFETCH(AppLanguage, language);
        QFETCH(QString, alert);
        LanguageManager::shared().setCurrent(language);
        QTemporaryDir folder;
        QString scriptFolder = u":/applescript"_s;
        if (setup == u"notRunning") {
            m_environment->set("FAKE_QLAB_NOT_RUNNING", u"1"_s);
        } else if (setup == u"silent") {
            m_environment->set("FAKE_OSASCRIPT_EXIT", u"1"_s);
        } else if (setup == u"noOsascript") {
            m_environment->set("PATH", folder.path());
        } else if (setup == u"noResources") {
            scriptFolder = folder.path();
        } else if (setup == u"unreadable") {
            // A folder where the script should be: there, but not readable as a file.
            QVERIFY(QDir(folder.path()).mkdir(u"QLab_OSC_Test.txt"_s));
            scriptFolder = folder.path();
        }

        FakeFileDialogs alerts;
        QLab_Importer importer(alerts, scriptFolder);
        waitForTask(debug ? importer.runOSCDebug() : importer.runOSCTest());
        if (alert.isEmpty()) {
            QTest::qWait(50);
            QVERIFY(alerts.alerts.isEmpty());
            return;
        }
        QTRY_COMPARE(alerts.alerts.size(), 1);
        QCOMPARE(alerts.alerts.at(0).title,
            language == AppLanguage::english ? u"Import Error"_s : u"Ошибка импорта"_s);
        QVERIFY2(alerts.alerts.at(0).text.startsWith(alert), qPrintable(alerts.alerts.at(0).text));
        if (alert.endsWith(u": "))
            QVERIFY(alerts.alerts.at(0).text.size() > alert.size());
    }

    void errorOnMainWaitsForTheEventLoop()
    {
        FakeFileDialogs alerts;
        QLab_Importer importer(alerts);
        importer.showErrorOnMain(u"later"_s);
        QVERIFY(alerts.alerts.isEmpty());
        QTRY_COMPARE(alerts.alerts.size(), 1);
        QCOMPARE(alerts.alerts.at(0).title, u"Import Error"_s);
        QCOMPARE(alerts.alerts.at(0).text, u"later"_s);
    }

private:
    QTemporaryDir m_settings;
    std::optional<ScopedEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestImporter)
#include "tst_importer.moc"
