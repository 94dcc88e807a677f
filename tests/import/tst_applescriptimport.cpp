#include "ScopedEnvironment.h"
#include "WaitForTask.h"

#include "import/AppleScriptImport.h"
#include "import/ImportError.h"
#include "model/JsonCodingError.h"
#include "model/LanguageManager.h"
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

// Leaves a file at the result path before the script runs: it is never the script's answer.
bool plant(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestAppleScriptImport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_language = LanguageManager::shared().current();
        LanguageManager::shared().setCurrent(AppLanguage::english);
    }
    void cleanupTestCase() { LanguageManager::shared().setCurrent(m_language); }

    void init()
    {
        m_environment = std::make_unique<ScopedEnvironment>();
        m_environment->useFakeOsascript(QStringLiteral(MARROWLARK_FAKEBIN));
        m_environment->set(
            "FAKE_QLAB_WORKSPACE", QStringLiteral(MARROWLARK_TEST_DATA "/fakes/show.json"));
        QVERIFY(m_folder.isValid());
    }
    void cleanup() { m_environment.reset(); }

    // Names reach the JSON only through the importer's escaping handler, which the scripts carry.
    void namesAreEscaped()
    {
        const QList<std::pair<QString, QStringList>> scripts {
            { AppleScriptImport::qlabCheckScript(), { u"my JSONString(workspaceName)"_s } },
            { AppleScriptImport::cueListListingScript(u"Hamlet"_s),
                { u"my JSONString(id of theList)"_s, u"my JSONString(listName)"_s } },
        };
        for (const auto &[script, escaped] : scripts) {
            QVERIFY(script.contains(u"\non JSONString(theValue)"_s));
            for (const QString &call : escaped)
                QVERIFY2(script.contains(call), qPrintable(call));
        }
    }

    void checkAnswers_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("valid");
        QTest::newRow("names") << json(
            "{'running':true,'workspaceCount':2,'workspaceNames':['A \\'B\\'','C\\\\D']}")
                               << true;
        QTest::newRow("extra keys")
            << json("{'running':false,'workspaceCount':0,'workspaceNames':[],'x':1}") << true;
        QTest::newRow("count as text")
            << json("{'running':true,'workspaceCount':'1','workspaceNames':[]}") << false;
        QTest::newRow("count with a fraction")
            << json("{'running':true,'workspaceCount':1.5,'workspaceNames':[]}") << false;
        QTest::newRow("a name is no text")
            << json("{'running':true,'workspaceCount':1,'workspaceNames':[1]}") << false;
        QTest::newRow("names missing") << json("{'running':true,'workspaceCount':1}") << false;
        // The picker offers every counted workspace: a count past reason is a bad answer.
        QTest::newRow("count past reason")
            << json("{'running':true,'workspaceCount':2147483647,'workspaceNames':[]}") << false;
        QTest::newRow("negative count")
            << json("{'running':true,'workspaceCount':-1,'workspaceNames':[]}") << false;
    }
    void checkAnswers()
    {
        QFETCH(QByteArray, json);
        QFETCH(bool, valid);
        QString error;
        try {
            CheckQLabResult::fromJson(json);
        } catch (const JsonCodingError &thrown) {
            error = thrown.description();
        }
        QCOMPARE(error.isEmpty(), valid);
    }

    void listingAnswers_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<int>("count"); // -1: invalid
        QTest::newRow("empty") << json("[]") << 0;
        QTest::newRow("two") << json("[{'id':'1','name':'A \\'q\\'','cueCount':3},"
                                     "{'id':'2','name':'','cueCount':0}]")
                             << 2;
        QTest::newRow("count as text") << json("[{'id':'1','name':'A','cueCount':'3'}]") << -1;
        QTest::newRow("object") << json("{'id':'1','name':'A','cueCount':3}") << -1;
        QTest::newRow("not JSON") << json("[{") << -1;
    }
    void listingAnswers()
    {
        QFETCH(QByteArray, json);
        QFETCH(int, count);
        int entries = -1;
        try {
            entries = int(CueListInfo::listFromJson(json).size());
        } catch (const JsonCodingError &) { }
        QCOMPARE(entries, count);
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
        QVERIFY(plant(path, json("{'A-PRESHOW':'Planted','M-NOTE':'Planted'}")));
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
        QVERIFY(plant(path, json("{'name':'Planted','cues':[]}")));
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
    AppLanguage m_language = AppLanguage::russian;
    QTemporaryDir m_folder;
    std::unique_ptr<ScopedEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestAppleScriptImport)
#include "tst_applescriptimport.moc"
