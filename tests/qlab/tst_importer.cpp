#include "FakeFileDialogs.h"
#include "ScopedEnvironment.h"
#include "TestSupport.h"
#include "WaitForTask.h"
#include "qlab/AppleScriptRunner.h"
#include "qlab/ImportResultFolder.h"
#include "qlab/QLab_Importer.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace Qt::StringLiterals;
using RunnerError = AppleScriptRunner::RunnerError;

class TestImporter : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_environment.emplace();
        m_environment->useFakeOsascript(QStringLiteral(MARROWLARK_FAKEBIN));
        m_environment->set("FAKE_QLAB_WORKSPACE", testData(u"fakes/show.json"_s));
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
        QTest::newRow("program start cuts off the rest")
            << u"on A()\nend A\n   ApplicationServiceOSC()\non B()\nend B"_s << u"on A()\nend A"_s;
    }
    void handlerText()
    {
        QFETCH(QString, resource);
        QTEST(QLab_Importer::importerHandlers(resource), "handlers");
    }

    // Identifiers that could break a literal reach QLab and come back whole; unsendable ones
    // are left out. The show's triggers are pinned by the golden AppleScript import.
    void hostileTriggers()
    {
        m_environment->set("FAKE_QLAB_WORKSPACE", testData(u"fakes/hostile.json"_s));
        ImportResultFolder folder;
        waitForTask(AppleScriptRunner::shared().runIgnoringResult(
            QLab_Importer::buildTriggerScript({ u"q\"uote"_s, u"back\\slash"_s, u"with space"_s },
                folder.triggersFilePath(), u"Hostile"_s)));
        QCOMPARE(QJsonDocument::fromJson(readFile(folder.triggersFilePath())).object(),
            (QJsonObject { { u"q\"uote"_s, u"Hotkey\nMIDI Trigger: Note 60"_s },
                { u"back\\slash"_s, u""_s } }));
    }

    // A list identifier with a quote and a backslash reaches QLab as it is; a failed import
    // leaves no result file.
    void importFailure()
    {
        ImportResultFolder folder;
        const QString path = folder.importFilePath(0);
        try {
            waitForTask(AppleScriptRunner::shared().runIgnoringResult(
                QLab_Importer::buildImportScript(u"L\"x\\"_s, false, path, u"Hamlet"_s)));
            QFAIL("the import script did not fail");
        } catch (const RunnerError &error) {
            QCOMPARE(error.kind(), RunnerError::Kind::executionFailed);
            QVERIFY2(error.detail().contains(u"\"L\"x\\\""_s), qPrintable(error.detail()));
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
            QCOMPARE(QFileInfo(folder.path()).permissions()
                    & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QVERIFY(folder.importFilePath(3).startsWith(folderPath + u'/'));
            QFile leftOver(folder.importFilePath(0));
            QVERIFY(leftOver.open(QIODevice::WriteOnly));
        }
        QVERIFY(!QFileInfo::exists(folderPath));
    }

    // The OSC test runs quietly; a debug run that fails without a message still says more than
    // its prefix.
    void diagnostics()
    {
        FakeFileDialogs alerts;
        QLab_Importer importer(alerts);
        waitForTask(importer.runOSCTest());
        QTest::qWait(50);
        QVERIFY(alerts.alerts.isEmpty());
        m_environment->set("FAKE_OSASCRIPT_EXIT", u"1"_s);
        waitForTask(importer.runOSCDebug());
        QTRY_COMPARE(alerts.alerts.size(), 1);
        const QString prefix = u"AppleScript error: "_s;
        QVERIFY(alerts.alerts.at(0).text.startsWith(prefix));
        QVERIFY(alerts.alerts.at(0).text.size() > prefix.size());
    }

private:
    std::optional<ScopedEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestImporter)
#include "tst_importer.moc"
