#include "FakeFileDialogs.h"
#include "UiProbe.h"
#include "import/ImportRun.h"
#include "import/ImportStateMachine.h"
#include "model/AppText.h"
#include "model/LanguageManager.h"
#include "qlab/QLab_Importer.h"
#include "qlab/QLab_NotesWriter.h"
#include "store/ProjectStore.h"
#include "ui/ApplicationMenus.h"
#include "ui/MainWindowView.h"

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QUndoStack>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QLabProject oneListProject()
{
    QLabProject project = ProjectStore::makeNewProject();
    QLabCue cue;
    cue.id = QUuid::createUuid();
    cue.type = CueType::audio;
    cue.name = u"Preshow"_s;
    project.cueLists = { { QUuid::createUuid(), u"Act 1"_s, { cue } } };
    return project;
}

} // namespace

class MenusTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeFileDialogs> m_dialogs;
    std::unique_ptr<ProjectStore> m_store;
    std::unique_ptr<QLab_NotesWriter> m_writer;
    std::unique_ptr<QLab_Importer> m_importer;
    std::unique_ptr<MainWindowView> m_window;
    ApplicationMenus *m_menus = nullptr;
    int m_importRuns = 0;

    QAction *action(const char *name) const { return m_menus->action(QString::fromLatin1(name)); }
    QUuid firstCue() const { return m_store->project().cueLists[0].cues[0].id; }

private slots:
    void initTestCase() { LanguageManager::shared().setCurrent(AppLanguage::english); }

    void init()
    {
        m_dialogs = std::make_unique<FakeFileDialogs>();
        m_store = std::make_unique<ProjectStore>(oneListProject());
        m_importRuns = 0;
        m_store->importMachine().setRun([this](ImportRun) -> QCoro::Task<> {
            ++m_importRuns;
            co_return;
        });
        m_writer = std::make_unique<QLab_NotesWriter>();
        m_importer = std::make_unique<QLab_Importer>(*m_dialogs);
        m_window = std::make_unique<MainWindowView>(*m_store, *m_writer);
        m_menus = new ApplicationMenus(*m_window, *m_importer);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void cleanup()
    {
        m_window.reset();
        m_importer.reset();
        m_writer.reset();
        m_store.reset();
        m_dialogs.reset();
        LanguageManager::shared().setCurrent(AppLanguage::english);
    }

    void enabledStates()
    {
        // A fresh store has nothing to undo or redo; saving, opening and importing never wait.
        for (const char *name : { "saveAction", "openAction", "importAction" })
            QVERIFY(action(name)->isEnabled());
        QVERIFY(!action("undoAction")->isEnabled());
        QVERIFY(!action("redoAction")->isEnabled());
        QVERIFY(action("exportPDFAction")->isEnabled());

        m_store->updateNotes(firstCue(), u"edited"_s);
        QVERIFY(action("undoAction")->isEnabled());
        action("undoAction")->trigger();
        QCOMPARE(m_store->project().cueLists[0].cues[0].notes, QString());
        QVERIFY(action("redoAction")->isEnabled());
        action("redoAction")->trigger();
        QCOMPARE(m_store->project().cueLists[0].cues[0].notes, u"edited"_s);

        // Every row filtered out, or no list selected: nothing to export.
        m_store->setSearchText(u"no such cue"_s);
        QVERIFY(!action("exportPDFAction")->isEnabled());
        m_store->setSearchText({});
        QVERIFY(action("exportPDFAction")->isEnabled());
        m_store->setSelectedCueListID(std::nullopt);
        QVERIFY(!action("exportPDFAction")->isEnabled());
    }

    void relabelsOnLanguageChange()
    {
        const QString english = action("importAction")->text();
        QCOMPARE(english, AppText::importQLab());
        LanguageManager::shared().setCurrent(AppLanguage::russian);
        QCOMPARE(action("importAction")->text(), AppText::importQLab());
        QVERIFY(action("importAction")->text() != english);
        QCOMPARE(m_window->menuBar()->actions().first()->text(), AppText::fileMenu());
    }

    // Application shortcuts win over the keys a focused text field claims (Ctrl+E is "end of
    // line", Ctrl+Z its own undo).
    void shortcutsWinOverTextField_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("command");
        QTest::newRow("export") << QKeySequence(Qt::CTRL | Qt::Key_E) << u"export"_s;
        QTest::newRow("import") << QKeySequence(Qt::CTRL | Qt::Key_I) << u"import"_s;
        QTest::newRow("save") << QKeySequence(QKeySequence::Save) << u"save"_s;
        QTest::newRow("open") << QKeySequence(QKeySequence::Open) << u"open"_s;
        QTest::newRow("undo") << QKeySequence(QKeySequence::Undo) << u"undo"_s;
        QTest::newRow("redo") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z) << u"redo"_s;
    }
    void shortcutsWinOverTextField()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(QString, command);
        auto *search = m_window->findChild<QLineEdit *>(u"searchField"_s);
        QVERIFY(search);
        search->setFocus();
        QTRY_VERIFY(search->hasFocus());
        m_store->updateNotes(firstCue(), u"edited"_s);
        if (command == u"redo")
            m_store->undoManager().undo();
        // The field's own undo would undo this typing; the search still finds the cue.
        QTest::keyClicks(search, u"Pre"_s);

        QTest::keySequence(search, keys);
        // Replacing a project with unsaved changes asks first.
        if (command == u"import" || command == u"open")
            QVERIFY(answer(u"savePrompt"_s, u"dontSaveButton"_s));
        const QString notes = m_store->project().cueLists[0].cues[0].notes;
        if (command == u"export")
            QCOMPARE(m_dialogs->saveRequests.value(0).suggestedName, u"Act 1.pdf"_s);
        else if (command == u"import")
            QCOMPARE(m_importRuns, 1);
        else if (command == u"save")
            QCOMPARE(m_dialogs->saveRequests.value(0).suffix, u"vtl"_s);
        else if (command == u"open")
            QCOMPARE(m_dialogs->openRequests.size(), 1);
        else if (command == u"undo")
            QCOMPARE(notes, QString());
        else
            QCOMPARE(notes, u"edited"_s);
        QCOMPARE(search->text(), u"Pre"_s);
    }
};

QTEST_MAIN(MenusTest)
#include "tst_menus.moc"
