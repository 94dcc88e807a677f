#include "FakeFileDialogs.h"
#include "FakeQLabServer.h"
#include "TestSupport.h"
#include "UiProbe.h"
#include "import/ImportRun.h"
#include "import/ImportStateMachine.h"
#include "model/AppText.h"
#include "model/LanguageManager.h"
#include "model/ProjectFileService.h"
#include "qlab/QLab_Importer.h"
#include "qlab/QLab_NotesWriter.h"
#include "scripting/ScriptBridge.h"
#include "store/ProjectStore.h"
#include "ui/ApplicationMenus.h"
#include "ui/CueTableView.h"
#include "ui/ElidedLabel.h"
#include "ui/ExcelTableView.h"
#include "ui/LegalWindowManager.h"
#include "ui/MainWindowView.h"
#include "ui/NotificationCenter.h"
#include "ui/QtFileDialogs.h"
#include "ui/SupportManager.h"

#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>

#include <memory>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

QLabCue cue(const QString &qlabID, CueType type, const QString &name, const QString &notes,
    DescriptionSource source = DescriptionSource::none)
{
    QLabCue made = makeCue(type, qlabID.left(1), name, {}, notes);
    made.originalNotes = notes;
    made.descriptionSource = source;
    made.qlabCueID = qlabID;
    return made;
}

// The fixture workspace's name and two lists with its QLab identifiers; every kind of description.
QLabProject show(const QString &name = u"Hamlet"_s)
{
    return makeProject(name,
        { { u"Act 1"_s,
              { cue(u"A-PRESHOW"_s, CueType::audio, u"Preshow music"_s, u"House open"_s,
                    DescriptionSource::imported),
                  cue(u"F-PRESHOW"_s, CueType::fade, u"Fade out preshow"_s, u"Fades"_s,
                      DescriptionSource::generated),
                  cue(u"SP-PRESHOW"_s, CueType::stop, u"Stop preshow"_s, {}) } },
            { u"Act 2"_s,
                { cue(u"A-THUNDER"_s, CueType::audio, u"Thunder"_s, u"/name_Storm/"_s,
                      DescriptionSource::manual),
                    cue(u"A-RAIN-OFF"_s, CueType::audio, u"Rain"_s, {}) } } });
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeQLabServer> m_server;
    std::unique_ptr<QLab_NotesWriter> m_writer;
    std::unique_ptr<ProjectStore> m_store;
    std::unique_ptr<FakeFileDialogs> m_dialogs;
    std::unique_ptr<QLab_Importer> m_importer;
    std::unique_ptr<MainWindowView> m_window;
    QTemporaryDir m_dir;
    int m_importRuns = 0;

    void makeUnsaved()
    {
        m_store->updateNotes(m_store->project().cueLists[0].cues[2].id, u"Edit"_s);
    }

private slots:
    void initTestCase() { LanguageManager::shared().setCurrent(AppLanguage::english); }

    void init()
    {
        const auto fixture = WorkspaceFixture::load(
            QStringLiteral(MARROWLARK_TEST_DATA "/fakes/show.json"), nullptr);
        QVERIFY(fixture);
        m_server = std::make_unique<FakeQLabServer>(*fixture);
        QVERIFY(m_server->listen());
        m_writer = std::make_unique<QLab_NotesWriter>(u"127.0.0.1"_s, m_server->port());
        m_store = std::make_unique<ProjectStore>(show());
        m_importRuns = 0;
        m_store->importMachine().setRun([this](ImportRun) -> QCoro::Task<> {
            ++m_importRuns;
            co_return;
        });
        m_dialogs = std::make_unique<FakeFileDialogs>();
        m_importer = std::make_unique<QLab_Importer>(*m_dialogs);
        m_window = std::make_unique<MainWindowView>(*m_store, *m_writer);
        new ApplicationMenus(*m_window, *m_importer); // owned by the window
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup()
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window != m_window.get())
                window->close();
        }
        m_window.reset();
        m_importer.reset();
        m_dialogs.reset();
        m_store.reset();
        m_writer.reset();
        m_server.reset();
    }

    void generate_data()
    {
        QTest::addColumn<bool>("allLists");
        QTest::addColumn<bool>("onlyEmpty");
        QTest::newRow("selected list, overwrite") << false << false;
        QTest::newRow("all lists, only empty") << true << true;
    }
    void generate()
    {
        QFETCH(bool, allLists);
        QFETCH(bool, onlyEmpty);
        const QList<QLabCueList> before = m_store->project().cueLists;
        m_window->requestAutoDescription(allLists ? MainWindowView::AutoDescriptionScope::all
                                                  : MainWindowView::AutoDescriptionScope::selected);
        QVERIFY(answer(
            u"generateDialog"_s, onlyEmpty ? u"onlyEmptyButton"_s : u"overwriteAllButton"_s));
        const QList<QLabCueList> &after = m_store->project().cueLists;
        int written = 0;
        for (qsizetype list = 0; list < after.size(); ++list) {
            for (qsizetype i = 0; i < after[list].cues.size(); ++i)
                written += after[list].cues[i].notes != before[list].cues[i].notes;
        }
        QCOMPARE(after[1].cues != before[1].cues, allLists);
        QCOMPARE(after[0].cues[0].notes == before[0].cues[0].notes, onlyEmpty);
        QTRY_COMPARE(alertText(u"generationAlert"_s),
            allLists ? AppText::generatedDescriptionsAllLists(written)
                     : AppText::generatedDescriptions(written));
    }

    void clear_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QList<int>>("clearedInAct1");
        QTest::newRow("generated") << u"clearGeneratedButton"_s << QList<int> { 1 };
        QTest::newRow("cancelled") << u"cancelButton"_s << QList<int> {};
    }
    void clear()
    {
        QFETCH(QString, button);
        QFETCH(QList<int>, clearedInAct1);
        const QLabProject before = m_store->project();
        // Any view may ask for the dialog.
        NotificationCenter::shared().postClearDescriptions();
        QVERIFY(answer(u"clearDialog"_s, button));
        const QLabCueList &act1 = m_store->project().cueLists[0];
        for (int i = 0; i < 2; ++i)
            QCOMPARE(act1.cues[i].notes.isEmpty(), clearedInAct1.contains(i));
        // The marked name is never cleared.
        QCOMPARE(m_store->project().cueLists[1].cues[0].notes, before.cueLists[1].cues[0].notes);
        if (button == u"cancelButton") {
            QTest::qWait(20);
            QVERIFY(!shown(u"generationAlert"_s));
            return;
        }
        QTRY_COMPARE(
            alertText(u"generationAlert"_s), AppText::clearedDescriptions(clearedInAct1.size()));
    }

    void writeBack_data()
    {
        QTest::addColumn<QString>("fault"); // the notes or type address that misbehaves
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("silent");
        QTest::addColumn<QString>("expected"); // "denied", "summary", "error", "success"
        QTest::newRow("every note written") << QString() << QString() << false << u"success"_s;
        QTest::newRow("access denied") << u"/notes"_s << u"denied"_s << false << u"denied"_s;
        QTest::newRow("one note refused")
            << u"F-PRESHOW/notes"_s << u"error"_s << false << u"summary"_s;
        // QLab never answers: the writer's deadlines still end the write-back with a result.
        QTest::newRow("silent QLab") << u"/"_s << QString() << true << u"error"_s;
    }
    void writeBack()
    {
        QFETCH(QString, fault);
        QFETCH(QString, status);
        QFETCH(bool, silent);
        QFETCH(QString, expected);
        if (!fault.isEmpty())
            m_server->addFault({ fault, 0ms, silent, status });
        m_window->requestWriteBack(WriteBackScope::all);
        QVERIFY(answer(u"writeBackDialog"_s, u"overwriteAllNotesButton"_s));
        QVERIFY(m_window->isWritingBack());
        QVERIFY(shown(u"writeBackOverlay"_s));
        QTRY_VERIFY_WITH_TIMEOUT(!m_window->isWritingBack(), 20000);
        QVERIFY(!shown(u"writeBackOverlay"_s));

        if (expected == u"success") {
            // The support window comes first; the alert only once it has closed.
            QTRY_VERIFY(shown(u"supportWindow"_s));
            QTest::qWait(20);
            QVERIFY(!shown(u"writeBackAlert"_s));
            shown<QAbstractButton>(u"supportCloseButton"_s)->click();
            QTRY_COMPARE(alertText(u"writeBackAlert"_s), AppText::writtenNotes(3, 3));
            // Each line fits the alert's width: no count wraps below its words.
            const auto *label = shown<QMessageBox>(u"writeBackAlert"_s)
                                    ->findChild<QLabel *>(u"qt_msgbox_informativelabel"_s);
            for (const QString &line : label->text().split(u'\n'))
                QVERIFY(
                    label->fontMetrics().horizontalAdvance(line) <= label->contentsRect().width());
            return;
        }
        QTRY_VERIFY(shown(u"writeBackAlert"_s));
        QVERIFY(!shown(u"supportWindow"_s));
        const QString text = alertText(u"writeBackAlert"_s);
        if (expected == u"denied")
            QCOMPARE(text, AppText::writeAccessDeniedMessage());
        else if (expected == u"summary")
            QCOMPARE(text, AppText::writeBackSummary(2, 1, 3));
        else
            QVERIFY2(!text.isEmpty() && text != AppText::writtenNotes(3, 3), qPrintable(text));
    }

    void nothingToWriteBack()
    {
        m_window->requestWriteBack(WriteBackScope::selected);
        QVERIFY(answer(u"writeBackDialog"_s, u"onlyEmptyNotesButton"_s));
        QVERIFY(!m_window->isWritingBack());
        QTRY_COMPARE(alertText(u"writeBackAlert"_s), AppText::noCuesToWriteMessage());
        QVERIFY(m_server->log().isEmpty());
    }

    void savePrompt_data()
    {
        QTest::addColumn<bool>("opening"); // else importing
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("savePath"); // "" cancels the panel, "-" names an unwritable one
        QTest::addColumn<bool>("proceeds");
        for (const bool opening : { false, true }) {
            const char *what = opening ? "open, " : "import, ";
            QTest::addRow("%ssave", what) << opening << u"saveButton"_s << u"saved.vtl"_s << true;
            QTest::addRow("%ssave cancelled", what)
                << opening << u"saveButton"_s << QString() << false;
            QTest::addRow("%ssave fails", what) << opening << u"saveButton"_s << u"-"_s << false;
            QTest::addRow("%sdon't save", what)
                << opening << u"dontSaveButton"_s << QString() << true;
            QTest::addRow("%scancel", what) << opening << u"cancelButton"_s << QString() << false;
        }
    }
    void savePrompt()
    {
        QFETCH(bool, opening);
        QFETCH(QString, button);
        QFETCH(QString, savePath);
        QFETCH(bool, proceeds);
        // The project that an open would load.
        const QString other = m_dir.filePath(u"other.vtl"_s);
        m_dialogs->saveAnswer = other;
        ProjectFileService::saveProject(ProjectStore::makeNewProject(), u"other.vtl"_s);
        m_dialogs->openAnswer = other;
        m_dialogs->saveAnswer = savePath == u"-" ? m_dir.filePath(u"missing/saved.vtl"_s)
            : savePath.isEmpty()                 ? QString()
                                                 : m_dir.filePath(savePath);
        makeUnsaved();
        const QUuid projectID = m_store->project().id;

        opening ? m_window->requestOpenProject() : m_window->requestImport();
        QVERIFY(shown<QMessageBox>(u"savePrompt"_s));
        QCOMPARE(shown<QMessageBox>(u"savePrompt"_s)->text(),
            opening ? AppText::saveBeforeOpenQuestion() : AppText::saveBeforeImportQuestion());
        QVERIFY(answer(u"savePrompt"_s, button));

        const bool saved = button == u"saveButton" && savePath == u"saved.vtl";
        QCOMPARE(QFile::exists(m_dialogs->saveAnswer), saved);
        if (saved)
            QCOMPARE(m_store->projectFileURL(), QUrl::fromLocalFile(m_dialogs->saveAnswer));
        if (opening) {
            QCOMPARE(m_store->project().id != projectID, proceeds);
        } else {
            QCOMPARE(m_importRuns, proceeds ? 1 : 0);
            QCOMPARE(m_store->showImportSheet(), proceeds);
        }
        // Unsaved changes remain only where nothing was saved and nothing replaced them.
        QCOMPARE(m_store->hasUnsavedChanges(), !saved && !(proceeds && opening));
    }

    void noPromptWithoutUnsavedChanges()
    {
        m_window->requestImport();
        QCOMPARE(m_importRuns, 1);
        QVERIFY(!shown(u"savePrompt"_s));
        QVERIFY(shown(u"importSheet"_s));
        // Dismissing the sheet stops the import and closes it.
        m_store->setShowImportSheet(false);
        QCOMPARE(m_store->importMachine().state(), ImportState::idle());
        QTRY_VERIFY(!shown(u"importSheet"_s));
    }

    void closingAsksFirst()
    {
        makeUnsaved();
        QVERIFY(!m_window->close());
        QVERIFY(answer(u"savePrompt"_s, u"cancelButton"_s));
        QVERIFY(m_window->isVisible());
        QVERIFY(!m_window->close());
        QVERIFY(answer(u"savePrompt"_s, u"dontSaveButton"_s));
        QTRY_VERIFY(!m_window->isVisible());
    }

    // Typing still open in a description is committed before closing asks, also as the only change.
    void closingCommitsTheOpenEdit()
    {
        ExcelTableView &table = m_window->cueTable().table();
        QTest::mouseDClick(table.viewport(), Qt::LeftButton, {},
            table.cellRect(0, ExcelTableView::description).center());
        QTRY_VERIFY(table.editor()->hasFocus());
        QTest::keySequence(table.editor(), QKeySequence::SelectAll);
        QTest::keyClicks(table.editor(), u"Typed"_s);
        QVERIFY(!m_window->close());
        QCOMPARE(m_store->project().cueLists[0].cues[0].notes, u"Typed"_s);
        QVERIFY(answer(u"savePrompt"_s, u"cancelButton"_s));
    }

    // A script's change waits for the answer to any dialog or panel about the open project.
    void scriptWaitsForTheDialog_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("button"); // none for a panel: it is given a file
        QTest::newRow("save prompt") << u"importAction"_s << u"savePrompt"_s << u"saveButton"_s;
        QTest::newRow("generate") << u"generateAllAction"_s << u"generateDialog"_s
                                  << u"overwriteAllButton"_s;
        QTest::newRow("clear") << u"clearDescriptionsAction"_s << u"clearDialog"_s
                               << u"clearAllButton"_s;
        QTest::newRow("write back")
            << u"writeAllAction"_s << u"writeBackDialog"_s << u"cancelButton"_s;
        QTest::newRow("save panel") << u"saveProjectAction"_s << u"savePanel"_s << QString();
        QTest::newRow("open panel") << u"openProjectAction"_s << u"openPanel"_s << QString();
    }
    void scriptWaitsForTheDialog()
    {
        QFETCH(QString, action);
        QFETCH(QString, dialog);
        QFETCH(QString, button);
        makeUnsaved();
        const QString saved
            = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + u".vtl"_s);
        m_dialogs->saveAnswer = saved;
        if (dialog == u"openPanel")
            m_window->saveProject(); // the file to open, and nothing left to ask about
        const QUuid usersID = m_store->project().id;
        QtFileDialogs panels;
        if (button.isEmpty())
            FileDialogs::setCurrent(&panels);
        const auto fakePanelsAgain
            = qScopeGuard([this] { FileDialogs::setCurrent(m_dialogs.get()); });
        m_window->findChild<QAction *>(action)->trigger();
        QVERIFY(shown(dialog));

        ScriptBridge bridge(*m_store);
        bridge.perform(ScriptCommand::createProject, u"Scripted"_s, {});
        QTest::qWait(50);
        QCOMPARE(m_store->project().id, usersID);

        if (auto *panel = shown<QFileDialog>(dialog)) {
            panel->findChild<QLineEdit *>(u"fileNameEdit"_s)->setText(saved);
            static_cast<QDialog *>(panel)->accept();
        } else {
            QVERIFY(answer(dialog, button));
        }
        QTRY_COMPARE(m_store->project().name, u"Scripted"_s);
    }

    // The suggested name is one the file system accepts as it stands.
    void menuSaveKeepsTheLocation_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("kept"); // as the suggestion's base name
        QTest::newRow("plain") << u"Tempest"_s << true;
        QTest::newRow("path separators") << u"2: Hamlet/Act 1"_s << false;
    }
    void menuSaveKeepsTheLocation()
    {
        QFETCH(QString, name);
        QFETCH(bool, kept);
        m_store->loadProject(show(name));
        makeUnsaved();
        m_window->saveProject(); // the panel is cancelled
        const QString suggested = m_dialogs->saveRequests.last().suggestedName;
        QCOMPARE(suggested == name + u".vtl"_s, kept);
        m_dialogs->saveAnswer = m_dir.filePath(suggested);
        m_window->saveProject();
        QVERIFY(!m_store->hasUnsavedChanges());
        QCOMPARE(m_store->projectFileURL(), QUrl::fromLocalFile(m_dialogs->saveAnswer));
    }

    // A long name is cut with "…" in both bars and leaves the window's minimum size alone.
    void longProjectNameIsElided()
    {
        const auto minimum
            = [this] { return MainWindowView(*m_store, *m_writer).minimumSizeHint(); };
        const QSize shortNamed = minimum();
        m_store->loadProject(show(u"Hamlet, Prince of Denmark. "_s.repeated(10)));
        QCOMPARE(minimum(), shortNamed);
        for (const QString &name : { u"actionBarProjectName"_s, u"statusProjectName"_s }) {
            const auto *label = m_window->findChild<ElidedLabel *>(name);
            QTRY_VERIFY(label && label->shownText().endsWith(u'\u2026'));
        }
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
        search->setFocus();
        QTRY_VERIFY(search->hasFocus());
        makeUnsaved();
        if (command == u"redo")
            m_store->undoManager().undo();
        // The field's own undo would undo this typing; the search still finds the edited cue.
        QTest::keyClicks(search, u"Sto"_s);

        QTest::keySequence(search, keys);
        // Replacing a project with unsaved changes asks first.
        if (command == u"import" || command == u"open")
            QVERIFY(answer(u"savePrompt"_s, u"dontSaveButton"_s));
        if (command == u"export")
            QCOMPARE(m_dialogs->saveRequests.value(0).suffix, u"pdf"_s);
        else if (command == u"import")
            QCOMPARE(m_importRuns, 1);
        else if (command == u"save")
            QCOMPARE(m_dialogs->saveRequests.value(0).suffix, u"vtl"_s);
        else if (command == u"open")
            QCOMPARE(m_dialogs->openRequests.size(), 1);
        else
            QCOMPARE(m_store->project().cueLists[0].cues[2].notes,
                command == u"undo" ? QString() : u"Edit"_s);
        QCOMPARE(search->text(), u"Sto"_s);
    }

    // Quit ends the program also while side windows are open. Runs the event loop, so comes last.
    void quitEndsTheProgramPastSideWindows()
    {
        SupportManager::shared().showSupportWindow();
        LegalWindowManager::shared().showLicense();
        QTimer::singleShot(0, m_window->findChild<QAction *>(u"quitAction"_s), &QAction::trigger);
        QTimer::singleShot(10s, qApp, [] { QCoreApplication::exit(1); }); // stuck
        QCOMPARE(QCoreApplication::exec(), 0);
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
