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

    void triggers_data()
    {
        QTest::addColumn<QString>("resultText"); // empty: the fake's own answer
        QTest::addColumn<bool>("noFile");
        QTest::addColumn<int>("count");
        QTest::newRow("every cue gets its text") << QString() << false << 3;
        QTest::newRow("no file") << QString() << true << 0;
        QTest::newRow("a value that is no text") << u"{\"A-PRESHOW\":1}"_s << false << 0;
        QTest::newRow("not JSON") << u"{\"A-PRESHOW\":"_s << false << 0;
    }
    void triggers()
    {
        QFETCH(QString, resultText);
        QFETCH(bool, noFile);
        QFETCH(int, count);
        if (!resultText.isEmpty())
            m_environment->set("FAKE_OSASCRIPT_RESULT_TEXT", resultText);
        if (noFile)
            m_environment->set("FAKE_OSASCRIPT_NO_FILES", u"1"_s);
        const QString path = m_folder.filePath(u"Vantorelle_Triggers.json"_s);
        // A file left at the result path before the script runs is never its answer.
        QVERIFY(writeFile(path, json("{'A-PRESHOW':'Planted','M-NOTE':'Planted'}")));
        const QHash<QString, QString> triggers = waitForTask(AppleScriptImport::loadTriggers(
            { u"A-PRESHOW"_s, u"M-NOTE"_s, u"UNKNOWN"_s }, path, u"Hamlet"_s));
        QCOMPARE(triggers.size(), count);
        if (count) {
            QCOMPARE(triggers.value(u"A-PRESHOW"_s), u"Hotkey"_s);
            QCOMPARE(triggers.value(u"UNKNOWN"_s), QString());
        }
        QVERIFY(!QFile::exists(path));
    }

    void importCueListFailures_data()
    {
        QTest::addColumn<QString>("resultText");
        QTest::addColumn<bool>("noFile");
        QTest::addColumn<QString>("message");
        QTest::newRow("no file") << QString() << true << "Failed to read cue list data";
        QTest::newRow("not JSON") << u"{\"name\":"_s << false << u"Ошибка декодирования JSON: "_s;
    }
    void importCueListFailures()
    {
        QFETCH(QString, resultText);
        QFETCH(bool, noFile);
        QFETCH(QString, message);
        if (!resultText.isEmpty())
            m_environment->set("FAKE_OSASCRIPT_RESULT_TEXT", resultText);
        if (noFile)
            m_environment->set("FAKE_OSASCRIPT_NO_FILES", u"1"_s);
        const QString path = m_folder.filePath(u"Vantorelle_Import_0.json"_s);
        QVERIFY(writeFile(path, json("{'name':'Planted','cues':[]}")));
        QString thrown;
        try {
            waitForTask(AppleScriptImport::importCueList(u"L-CHECK"_s, false, path, u"Hamlet"_s));
        } catch (const ImportError &error) {
            thrown = error.errorDescription();
        } catch (const RunnerError &error) {
            thrown = error.description();
        }
        QVERIFY2(thrown.startsWith(message), qPrintable(thrown));
        QVERIFY(!QFile::exists(path));
    }

private:
    QTemporaryDir m_folder;
    std::unique_ptr<ScopedEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestAppleScriptImport)
#include "tst_applescriptimport.moc"
