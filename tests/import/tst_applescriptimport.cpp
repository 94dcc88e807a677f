#include "ScopedEnvironment.h"
#include "TestSupport.h"
#include "WaitForTask.h"

#include "import/AppleScriptImport.h"
#include "import/ImportError.h"
#include "model/JsonCodingError.h"
#include "qlab/AppleScriptRunner.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using RunnerError = AppleScriptRunner::RunnerError;

namespace {

// JSON written with single quotes, which moc and readers find easier on the eye.
QByteArray json(const char *text)
{
    return QByteArray(text).replace('\'', '"');
}

} // namespace

class TestAppleScriptImport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { useLanguage(AppLanguage::english); }

    void init()
    {
        m_environment = std::make_unique<ScopedEnvironment>();
        m_environment->useFakeOsascript(QStringLiteral(MARROWLARK_FAKEBIN));
        m_environment->set("FAKE_QLAB_WORKSPACE", testData(u"fakes/show.json"_s));
        QVERIFY(m_folder.isValid());
    }
    void cleanup() { m_environment.reset(); }

    // The picker offers every counted workspace: a count past reason is a bad answer.
    void checkAnswers_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("valid");
        QTest::newRow("names") << json(
            "{'running':true,'workspaceCount':2,'workspaceNames':['A \\'B\\'','C\\\\D']}")
                               << true;
        QTest::newRow("count past reason")
            << json("{'running':true,'workspaceCount':2147483647,'workspaceNames':[]}") << false;
        QTest::newRow("negative count")
            << json("{'running':true,'workspaceCount':-1,'workspaceNames':[]}") << false;
        QTest::newRow("a quote in a name that nobody escaped")
            << QByteArray(R"({"running":true,"workspaceCount":1,"workspaceNames":["A "B""]})")
            << false;
        QTest::newRow("count with a fraction")
            << json("{'running':true,'workspaceCount':1.5,'workspaceNames':[]}") << false;
    }
    void checkAnswers()
    {
        QFETCH(QByteArray, json);
        bool valid = true;
        try {
            CheckQLabResult::fromJson(json);
        } catch (const JsonCodingError &) {
            valid = false;
        }
        QTEST(valid, "valid");
    }

    // A file left at the result path before the script runs is never its answer, and the script's
    // own file is removed once read.
    void plantedResultFiles_data()
    {
        QTest::addColumn<bool>("triggers"); // else a cue list
        QTest::addColumn<QString>("resultText"); // empty: the fake's own answer
        QTest::addColumn<bool>("noFile");
        QTest::addColumn<int>("count"); // triggers read; for a cue list, -1: it fails
        QTest::newRow("triggers") << true << QString() << false << 3;
        QTest::newRow("no trigger file") << true << QString() << true << 0;
        QTest::newRow("a trigger that is no text") << true << u"{\"A-PRESHOW\":1}"_s << false << 0;
        QTest::newRow("triggers not JSON") << true << u"{\"A-PRESHOW\":"_s << false << 0;
        QTest::newRow("no list file") << false << QString() << true << -1;
        QTest::newRow("list not JSON") << false << u"{\"name\":"_s << false << -1;
    }
    void plantedResultFiles()
    {
        QFETCH(bool, triggers);
        QFETCH(QString, resultText);
        QFETCH(bool, noFile);
        QFETCH(int, count);
        if (!resultText.isEmpty())
            m_environment->set("FAKE_OSASCRIPT_RESULT_TEXT", resultText);
        if (noFile)
            m_environment->set("FAKE_OSASCRIPT_NO_FILES", u"1"_s);
        const QString path = m_folder.filePath(u"result.json"_s);
        if (triggers) {
            QVERIFY(writeFile(path, json("{'A-PRESHOW':'Planted','M-NOTE':'Planted'}")));
            const QHash<QString, QString> read = waitForTask(AppleScriptImport::loadTriggers(
                { u"A-PRESHOW"_s, u"M-NOTE"_s, u"UNKNOWN"_s }, path, u"Hamlet"_s));
            QCOMPARE(read.size(), count);
            if (count)
                QCOMPARE(read.value(u"A-PRESHOW"_s), u"Hotkey"_s);
        } else {
            QVERIFY(writeFile(path, json("{'name':'Planted','cues':[]}")));
            bool failed = false;
            try {
                waitForTask(
                    AppleScriptImport::importCueList(u"L-CHECK"_s, false, path, u"Hamlet"_s));
            } catch (const ImportError &) {
                failed = true;
            } catch (const RunnerError &) {
                failed = true;
            }
            QVERIFY(failed);
        }
        QVERIFY(!QFile::exists(path));
    }

private:
    QTemporaryDir m_folder;
    std::unique_ptr<ScopedEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestAppleScriptImport)
#include "tst_applescriptimport.moc"
