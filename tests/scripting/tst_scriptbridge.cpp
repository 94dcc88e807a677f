#include "model/ProjectStore.h"
#include "scripting/ScriptBridge.h"

#include <QCoreApplication>
#include <QTest>
#include <QUndoStack>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::optional<QString>)

namespace {

template <typename Object> std::shared_ptr<Object> objectOf(const ScriptResult &result)
{
    return std::get<std::shared_ptr<Object>>(std::get<ScriptableObject>(result.value));
}

void runPostedChanges()
{
    QCoreApplication::sendPostedEvents();
}

} // namespace

class TestScriptBridge : public QObject
{
    Q_OBJECT

    ProjectStore m_store { ProjectStore::makeNewProject() };
    std::unique_ptr<ScriptBridge> m_bridge;

    ScriptResult perform(
        ScriptCommand command, const QVariant &direct = {}, const QVariantMap &arguments = {})
    {
        return m_bridge->perform(command, direct, arguments);
    }

private slots:
    void init()
    {
        m_store.newProject();
        m_bridge = std::make_unique<ScriptBridge>(m_store);
    }

    void directParameterNotText_data()
    {
        QTest::addColumn<ScriptCommand>("command");
        QTest::addColumn<QVariant>("direct");
        for (const auto &[name, command] : { std::pair("create", ScriptCommand::createProject),
                 std::pair("add list", ScriptCommand::addCueList),
                 std::pair("import", ScriptCommand::importCueData) }) {
            QTest::addRow("%s, missing", name) << command << QVariant();
            QTest::addRow("%s, number", name) << command << QVariant(7);
            QTest::addRow("%s, list", name) << command << QVariant(QStringList { u"a"_s });
        }
    }

    void directParameterNotText()
    {
        QFETCH(ScriptCommand, command);
        QFETCH(QVariant, direct);
        const QUuid before = m_store.project().id;
        const ScriptResult result = perform(command, direct);
        QCOMPARE(result.errorNumber, 5);
        QVERIFY(std::holds_alternative<std::monostate>(result.value));
        QVERIFY(!m_bridge->state().currentProject && !m_bridge->state().currentCueList);
        runPostedChanges();
        QCOMPARE(m_store.project().id, before);
        QVERIFY(m_store.project().cueLists.isEmpty());
    }

    void addCue_data()
    {
        QTest::addColumn<QVariantMap>("arguments");
        QTest::addColumn<CueType>("type");
        QTest::addColumn<double>("preWait");
        QTest::addColumn<std::optional<QString>>("qlabCueID");
        const std::optional<QString> none;
        QTest::newRow("no arguments") << QVariantMap() << CueType::audio << 0.0 << none;
        QTest::newRow("values that are not texts") << QVariantMap { { u"cueType"_s, 3 },
            { u"cuePreWait"_s, 1.5 }, { u"cueQLabID"_s, QStringList { u"Q1"_s } } }
                                                   << CueType::audio << 0.0 << none;
        QTest::newRow("remark after the type, point decimal, blank id")
            << QVariantMap { { u"cueType"_s, u"Fade (fx)"_s }, { u"cuePreWait"_s, u"1.5"_s },
                   { u"cueQLabID"_s, u" "_s } }
            << CueType::fade << 1.5 << std::optional(u" "_s);
        QTest::newRow("unknown type, integer wait")
            << QVariantMap { { u"cueType"_s, u"Sparkle"_s }, { u"cuePreWait"_s, u"2"_s } }
            << CueType::unknown << 2.0 << none;
        for (const QString &wait :
            { u" 1.5"_s, u"1,5"_s, u"soon"_s, u""_s, u"nan"_s, u"inf"_s, u"-inf"_s, u"1e999"_s })
            QTest::addRow("wait \"%s\"", qPrintable(wait))
                << QVariantMap { { u"cuePreWait"_s, wait } } << CueType::audio << 0.0 << none;
    }

    void addCue()
    {
        QFETCH(QVariantMap, arguments);
        QFETCH(CueType, type);
        QFETCH(double, preWait);
        QFETCH(std::optional<QString>, qlabCueID);
        perform(ScriptCommand::addCueList, u"Main"_s);
        const auto scripted
            = objectOf<ScriptableCue>(perform(ScriptCommand::addCue, {}, arguments));
        QCOMPARE(m_bridge->state().currentCueList->cues, QList { scripted });
        QCOMPARE(scripted->id.size(), 36);
        runPostedChanges();

        const QLabCue cue = m_store.project().cueLists.last().cues.value(0);
        QCOMPARE(cue.type, type);
        QCOMPARE(cue.fullTypeName, scripted->cueType);
        QCOMPARE(cue.preWait, preWait);
        QCOMPARE(cue.postWait, 0.0);
        QCOMPARE(cue.qlabCueID, qlabCueID);
        QCOMPARE(cue.originalNotes, cue.notes);
        QCOMPARE(cue.descriptionSource, DescriptionSource::none);
        // Saved by the user or lost: an added cue is an unsaved change, but no undo step.
        QVERIFY(m_store.hasUnsavedChanges());
        QCOMPARE(m_store.undoManager().count(), 0);
    }

    void addCueWithoutListLeavesStore()
    {
        const auto cue = objectOf<ScriptableCue>(perform(ScriptCommand::addCue));
        QVERIFY(cue);
        runPostedChanges();
        QVERIFY(m_store.project().cueLists.isEmpty());
        QVERIFY(!m_store.hasUnsavedChanges());
    }

    void undecodableCueData_data()
    {
        QTest::addColumn<QString>("json");
        QTest::newRow("empty text") << QString();
        QTest::newRow("syntax") << u"{\"workspaceName\":\"W\",\"cueLists\":[}"_s;
        QTest::newRow("not an object") << u"[]"_s;
        QTest::newRow("no workspace name") << u"{\"cueLists\":[]}"_s;
        QTest::newRow("null workspace name") << u"{\"workspaceName\":null,\"cueLists\":[]}"_s;
        QTest::newRow("lists not an array") << u"{\"workspaceName\":\"W\",\"cueLists\":{}}"_s;
        QTest::newRow("list without name")
            << u"{\"workspaceName\":\"W\",\"cueLists\":[{\"cues\":[]}]}"_s;
        QTest::newRow("number in a row")
            << u"{\"workspaceName\":\"W\",\"cueLists\":[{\"name\":\"L\",\"cues\":[[\"Audio\",1]]}]}"_s;
        QTest::newRow("text as row")
            << u"{\"workspaceName\":\"W\",\"cueLists\":[{\"name\":\"L\",\"cues\":[\"Audio\"]}]}"_s;
    }

    void undecodableCueData()
    {
        QFETCH(QString, json);
        const QUuid before = m_store.project().id;
        const ScriptResult result = perform(ScriptCommand::importCueData, json);
        QCOMPARE(result.errorNumber, 6);
        QCOMPARE(std::get<bool>(result.value), false);
        runPostedChanges();
        QCOMPARE(m_store.project().id, before);
    }

    void textWithoutUtf8Form()
    {
        const ScriptResult result = perform(ScriptCommand::importCueData, QString(QChar(0xD800)));
        QCOMPARE(result.errorNumber, 6);
        QVERIFY(std::holds_alternative<std::monostate>(result.value));
    }

    void importKeepsListsOfShortRowsAndLeavesMirror()
    {
        perform(ScriptCommand::createProject, u"Scripted"_s);
        const ScriptResult result = perform(ScriptCommand::importCueData,
            u"{\"workspaceName\":\"Show\",\"extra\":1,\"cueLists\":["
            "{\"name\":\"Short\",\"cues\":[[\"Audio\",\"1\",\"a\",\"b\",\"c\"]]},"
            "{\"name\":\"Full\",\"cues\":[[\"Memo\",\"2\",\"n\",\"a\",\"d\",\"t\",\"Q9\",\"0.5\"]]}]}"_s);
        QCOMPARE(std::get<bool>(result.value), true);
        QCOMPARE(m_bridge->state().currentProject->name, u"Scripted"_s);
        runPostedChanges();
        const QLabProject &project = m_store.project();
        QCOMPARE(project.name, u"Show"_s);
        QCOMPARE(project.cueLists.size(), 2);
        QVERIFY(project.cueLists[0].cues.isEmpty());
        QCOMPARE(project.cueLists[1].cues.value(0).preWait, 0.5);
        QCOMPARE(m_store.selectedCueListID(), project.cueLists[0].id);
        QVERIFY(!m_store.hasUnsavedChanges());
    }

    void postedChangesRunLaterInArrivalOrder()
    {
        const auto first
            = objectOf<ScriptableProject>(perform(ScriptCommand::createProject, u"First"_s));
        const auto early
            = objectOf<ScriptableCueList>(perform(ScriptCommand::addCueList, u"Early"_s));
        const auto show
            = objectOf<ScriptableProject>(perform(ScriptCommand::createProject, u"Show"_s));
        // A new project leaves the current list where it was.
        QCOMPARE(m_bridge->state().currentCueList, early);
        QCOMPARE(first->cueLists, QList { early });
        perform(ScriptCommand::addCueList, u"One"_s);
        perform(ScriptCommand::addCue, {}, { { u"cueNumber"_s, u"1"_s } });
        perform(ScriptCommand::addCueList, u"Two"_s);
        const auto late = objectOf<ScriptableCue>(perform(ScriptCommand::addCue));
        late->cueNumber = u"2"_s; // read when the change runs
        QCOMPARE(show->cueLists.size(), 2);
        QVERIFY(m_store.project().cueLists.isEmpty());

        runPostedChanges();
        const QLabProject &project = m_store.project();
        QCOMPARE(project.name, u"Show"_s);
        QCOMPARE(project.cueLists.size(), 2);
        QCOMPARE(project.cueLists[0].cues.value(0).number, u"1"_s);
        QCOMPARE(project.cueLists[1].cues.value(0).number, u"2"_s);
        QCOMPARE(m_store.selectedCueListID(), project.cueLists[1].id);

        perform(ScriptCommand::clearProject);
        QVERIFY(!m_bridge->state().currentProject && !m_bridge->state().currentCueList);
        runPostedChanges();
        QVERIFY(m_store.project().cueLists.isEmpty());
        QVERIFY(!m_store.hasUnsavedChanges());
    }
};

QTEST_GUILESS_MAIN(TestScriptBridge)
#include "tst_scriptbridge.moc"
