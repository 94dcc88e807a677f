#include "FakeFileDialogs.h"
#include "ScopedEnvironment.h"
#include "TestSupport.h"
#include "WaitForTask.h"
#include "qlab/AppleScriptRunner.h"
#include "qlab/ImportResultFolder.h"
#include "qlab/QLab_Importer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using RunnerError = AppleScriptRunner::RunnerError;

namespace {

QString showFixture()
{
    return testData(u"fakes/show.json"_s);
}

// A workspace whose identifiers and texts hold everything that could break a literal or JSON.
QString hostileFixture()
{
    return testData(u"fakes/hostile.json"_s);
}

} // namespace

class TestImporter : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_environment.emplace();
        m_environment->useFakeOsascript(QStringLiteral(MARROWLARK_FAKEBIN));
        m_environment->set("FAKE_QLAB_WORKSPACE", showFixture());
        useLanguage(AppLanguage::english);
    }
    void cleanup() { m_environment.reset(); }

    void handlerText_data()
    {
        QTest::addColumn<QString>("resource");
        QTest::addColumn<QString>("handlers");
        QTest::newRow("one-line comment runs to the next comment end")
            << u"(* note *)\non A()\n  return 1 (* x *)\nend A\non B()\nend B"_s
            << u"end A\non B()\nend B"_s;
        QTest::newRow("removed handler, kept handler")
            << u"on FindAllCueLists()\n  set x to 1\nend FindAllCueLists\non GetCueDataOSC(theList, useOSC)\n  return {}\nend GetCueDataOSC"_s
            << u"on GetCueDataOSC(theList, useOSC)\n  return {}\nend GetCueDataOSC"_s;
        QTest::newRow("program start cuts off the rest")
            << u"on A()\nend A\n   ApplicationServiceOSC()\non B()\nend B"_s << u"on A()\nend A"_s;
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
        QTest::newRow("show") << showFixture() << u"Hamlet"_s
                              << QStringList { u"A-PRESHOW"_s, u"M-NOTE"_s, u"A-THUNDER"_s,
                                     u"G-STORM"_s, u"F-PRESHOW"_s, u"NOT-IN-QLAB"_s }
                              << QJsonObject { { u"A-PRESHOW"_s, u"Hotkey"_s },
                                     { u"M-NOTE"_s, u"MIDI Trigger: Note 36"_s },
                                     { u"A-THUNDER"_s, u"Duck: -10dB (1s)"_s },
                                     { u"G-STORM"_s, u"(triggers inside)"_s },
                                     { u"F-PRESHOW"_s, u""_s }, { u"NOT-IN-QLAB"_s, u""_s } };
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
        const QJsonDocument document = QJsonDocument::fromJson(readFile(folder.triggersFilePath()));
        QVERIFY(document.isObject());
        QTEST(document.object(), "triggers");
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
            QVERIFY(folder.importFilePath(3).startsWith(folderPath + u'/'));
            QFile leftOver(folder.importFilePath(0));
            QVERIFY(leftOver.open(QIODevice::WriteOnly));
        }
        QVERIFY(!QFileInfo::exists(folderPath));
    }

    void diagnostics_data()
    {
        QTest::addColumn<bool>("debug");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("alert");
        QTest::newRow("test runs") << false << QString() << QString();
        QTest::newRow("QLab not running")
            << false << u"notRunning"_s
            << u"AppleScript error: QLab 5 is not running / QLab 5 не запущен"_s;
        QTest::newRow("error without message") << true << u"silent"_s << u"AppleScript error: "_s;
        QTest::newRow("debug script missing")
            << true << u"noResources"_s << u"OSC debug script not found in application"_s;
    }
    void diagnostics()
    {
        QFETCH(bool, debug);
        QFETCH(QString, setup);
        QFETCH(QString, alert);
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
    std::optional<ScopedEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestImporter)
#include "tst_importer.moc"
