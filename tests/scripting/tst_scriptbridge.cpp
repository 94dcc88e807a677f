#include "scripting/ScriptBridge.h"
#include "store/ProjectStore.h"

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

    void addCue_data()
    {
        QTest::addColumn<QVariantMap>("arguments");
        QTest::addColumn<CueType>("type");
        QTest::addColumn<double>("preWait");
        QTest::addColumn<std::optional<QString>>("qlabCueID");
        QTest::newRow("no arguments")
            << QVariantMap() << CueType::audio << 0.0 << std::optional<QString>();
        QTest::newRow("values that are not texts")
            << QVariantMap { { u"cueType"_s, 3 }, { u"cuePreWait"_s, 1.5 },
                   { u"cueQLabID"_s, QStringList { u"Q1"_s } } }
            << CueType::audio << 0.0 << std::optional<QString>();
        QTest::newRow("remark after the type, blank id")
            << QVariantMap { { u"cueType"_s, u"Fade (fx)"_s }, { u"cuePreWait"_s, u"1.5"_s },
                   { u"cueQLabID"_s, u" "_s } }
            << CueType::fade << 1.5 << std::optional(u" "_s);
        QTest::newRow("unknown type") << QVariantMap { { u"cueType"_s, u"Sparkle"_s } }
                                      << CueType::unknown << 0.0 << std::optional<QString>();
        // Waits that could not be saved.
        for (const QString &wait : { u"nan"_s, u"1e999"_s })
            QTest::addRow("wait %s", qPrintable(wait))
                << QVariantMap { { u"cuePreWait"_s, wait } } << CueType::audio << 0.0
                << std::optional<QString>();
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
        QCoreApplication::sendPostedEvents();

        const QLabCue cue = m_store.project().cueLists.last().cues.value(0);
        QCOMPARE(cue.type, type);
        QCOMPARE(cue.fullTypeName, scripted->cueType);
        QCOMPARE(cue.preWait, preWait);
        QCOMPARE(cue.qlabCueID, qlabCueID);
        // Saved by the user or lost: an added cue is an unsaved change, but no undo step.
        QVERIFY(m_store.hasUnsavedChanges());
        QCOMPARE(m_store.undoManager().count(), 0);
    }

    // Nothing reaches the mirror or the store.
    void refusedCommand_data()
    {
        QTest::addColumn<ScriptCommand>("command");
        QTest::addColumn<QVariant>("direct");
        QTest::addColumn<int>("errorNumber");
        QTest::addColumn<bool>("answersFalse");
        for (const auto &[name, command] : { std::pair("create", ScriptCommand::createProject),
                 std::pair("add list", ScriptCommand::addCueList),
                 std::pair("import", ScriptCommand::importCueData) }) {
            QTest::addRow("%s, missing", name) << command << QVariant() << 5 << false;
            QTest::addRow("%s, number", name) << command << QVariant(7) << 5 << false;
        }
        const auto data = [](const char *name, const QString &json) {
            QTest::newRow(name) << ScriptCommand::importCueData << QVariant(json) << 6 << true;
        };
        data("empty text", QString());
        data("syntax", u"{\"workspaceName\":\"W\",\"cueLists\":[}"_s);
        data("not an object", u"[]"_s);
        data("no workspace name", u"{\"cueLists\":[]}"_s);
        data("lists not an array", u"{\"workspaceName\":\"W\",\"cueLists\":{}}"_s);
        data("list without name", u"{\"workspaceName\":\"W\",\"cueLists\":[{\"cues\":[]}]}"_s);
        const QString list
            = u"{\"workspaceName\":\"W\",\"cueLists\":[{\"name\":\"L\",\"cues\":%1}]}"_s;
        data("number in a row", list.arg(u"[[\"Audio\",1]]"_s));
        data("text as row", list.arg(u"[\"Audio\"]"_s));
        // Escapes that spell half a character, which the parser would read as "?".
        data("lone high surrogate", list.arg(u"[[\"Audio\",\"\\ud800\"]]"_s));
        data("lone low surrogate", list.arg(u"[[\"Audio\",\"\\udc00 \"]]"_s));
        data("pair split by a blank", list.arg(u"[[\"\\ud83c \\udfad\"]]"_s));
        QTest::newRow("no UTF-8 form")
            << ScriptCommand::importCueData << QVariant(QString(QChar(0xD800))) << 6 << false;
    }

    void refusedCommand()
    {
        QFETCH(ScriptCommand, command);
        QFETCH(QVariant, direct);
        QFETCH(int, errorNumber);
        QFETCH(bool, answersFalse);
        const QUuid before = m_store.project().id;
        const ScriptResult result = perform(command, direct);
        QCOMPARE(result.errorNumber, errorNumber);
        QCOMPARE(std::holds_alternative<bool>(result.value), answersFalse);
        QVERIFY(!answersFalse || !std::get<bool>(result.value));
        QVERIFY(!m_bridge->state().currentProject && !m_bridge->state().currentCueList);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(m_store.project().id, before);
    }

    void importKeepsListsOfShortRowsAndLeavesMirror()
    {
        perform(ScriptCommand::createProject, u"Scripted"_s);
        const ScriptResult result = perform(ScriptCommand::importCueData,
            u"{\"workspaceName\":\"Show\",\"extra\":1,\"cueLists\":["
            "{\"name\":\"Short\",\"cues\":[[\"Audio\",\"1\",\"a\",\"b\",\"c\"]]},"
            "{\"name\":\"Full\",\"cues\":[[\"Memo\",\"2\",\"\\ud83c\\udfad \\\\ud800\",\"a\",\"d\",\"t\",\"Q9\",\"0.5\"]]}]}"_s);
        QCOMPARE(std::get<bool>(result.value), true);
        QCOMPARE(m_bridge->state().currentProject->name, u"Scripted"_s);
        QCoreApplication::sendPostedEvents();
        const QLabProject &project = m_store.project();
        QCOMPARE(project.name, u"Show"_s);
        QCOMPARE(project.cueLists.size(), 2);
        QVERIFY(project.cueLists[0].cues.isEmpty());
        QCOMPARE(project.cueLists[1].cues.value(0).preWait, 0.5);
        // A pair of escapes spells one character; an escaped backslash starts no escape.
        QCOMPARE(project.cueLists[1].cues.value(0).name, u"🎭 \\ud800"_s);
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

        QCoreApplication::sendPostedEvents();
        const QLabProject &project = m_store.project();
        QCOMPARE(project.name, u"Show"_s);
        QCOMPARE(project.cueLists.size(), 2);
        QCOMPARE(project.cueLists[0].cues.value(0).number, u"1"_s);
        QCOMPARE(project.cueLists[1].cues.value(0).number, u"2"_s);
        QCOMPARE(m_store.selectedCueListID(), project.cueLists[1].id);
        // The added cues' texts are searched: "1" is only in the other list.
        m_store.setSearchText(u"1"_s);
        QVERIFY(m_store.filteredCues().isEmpty());

        perform(ScriptCommand::clearProject);
        QVERIFY(!m_bridge->state().currentProject && !m_bridge->state().currentCueList);
        // A cue for a project without lists exists only for the script.
        QVERIFY(objectOf<ScriptableCue>(perform(ScriptCommand::addCue)));
        QCoreApplication::sendPostedEvents();
        QVERIFY(m_store.project().cueLists.isEmpty());
        QVERIFY(!m_store.hasUnsavedChanges());
    }

    // While a prompt holds them the changes wait, and once the last hold has gone they run in
    // arrival order, also behind one that arrived held but had not run yet.
    void heldChangesWaitForTheLastHold()
    {
        PostedChanges::Hold prompt = m_store.postedChanges().hold();
        PostedChanges::Hold panel = m_store.postedChanges().hold();
        perform(ScriptCommand::createProject, u"Held"_s);
        QCoreApplication::sendPostedEvents();
        prompt.reset();
        QCoreApplication::sendPostedEvents();
        QVERIFY(m_store.project().name != u"Held"_s);
        perform(ScriptCommand::addCueList, u"One"_s);
        panel.reset();
        QCoreApplication::sendPostedEvents();
        perform(ScriptCommand::addCue); // after the waiting ones have run
        QCoreApplication::sendPostedEvents();
        QCOMPARE(m_store.project().name, u"Held"_s);
        QCOMPARE(m_store.project().cueLists.value(0).cues.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestScriptBridge)
#include "tst_scriptbridge.moc"
