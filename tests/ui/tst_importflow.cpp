#include "UiProbe.h"

#include "import/ImportStateMachine.h"
#include "model/LanguageManager.h"
#include "store/ProjectStore.h"
#include "ui/AppTheme.h"
#include "ui/ElidedLabel.h"
#include "ui/Palette.h"
#include "ui/import/ImportFlowView.h"
#include "ui/import/ImportProgressView.h"

#include <QFileDialog>
#include <QLayout>
#include <QLineEdit>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;
using namespace ImportSheetProbe;
using Case = ImportState::Case;
using Action = ImportStateMachine::OSCAccessAction;

Q_DECLARE_METATYPE(ImportState)

namespace {

// The answer a question received, read without a run awaiting it.
template <typename T> std::optional<T> answerOf(const PendingAnswer<T> &pending)
{
    auto awaiter = pending.operator co_await();
    if (!awaiter.await_ready())
        return std::nullopt;
    return awaiter.await_resume();
}

QList<CueListInfo> threeLists()
{
    return { { u"L1"_s, u"Main"_s, 12, true }, { u"L2"_s, u"Band"_s, 3, true },
        { u"L3"_s, u"Cart"_s, 0, true } };
}

} // namespace

class TestImportFlow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { LanguageManager::shared().setCurrent(AppLanguage::english); }

    void init()
    {
        m_store = std::make_unique<ProjectStore>(ProjectStore::makeNewProject());
        m_store->setShowImportSheet(true);
        m_sheet = new ImportFlowView(*m_store);
        m_sheet->open();
        QVERIFY(QTest::qWaitForWindowExposed(m_sheet));
    }

    void cleanup()
    {
        delete m_sheet;
        m_store.reset();
    }

    // Escape closes the sheet (cancelling the import) except while the machine works on its own.
    void dismissal_data()
    {
        QTest::addColumn<ImportState>("state");
        QTest::addColumn<bool>("escapeCloses");
        QTest::newRow("idle") << ImportState::idle() << true;
        QTest::newRow("checking QLab") << ImportState::checkingQLab() << false;
        QTest::newRow("workspace")
            << ImportState::selectingWorkspace({ WorkspaceInfo::named(u"A"_s) }) << true;
        QTest::newRow("confirmation") << ImportState::confirmingExport(u"A"_s) << true;
        QTest::newRow("OSC access") << ImportState::requestingOSCAccess(true) << true;
        QTest::newRow("cue lists") << ImportState::selectingCueLists(threeLists()) << true;
        QTest::newRow("importing") << ImportState::importingCues(1, 2, u"Main"_s, 5) << false;
        QTest::newRow("completed") << ImportState::completed(u"A"_s, 1, 5) << true;
        QTest::newRow("failed") << ImportState::failed(u"No"_s) << true;
    }
    void dismissal()
    {
        QFETCH(ImportState, state);
        QFETCH(bool, escapeCloses);
        const bool question = enter(state);
        // Return may press only the page's own default, never a button that has the focus.
        const QList<QPushButton *> buttons = visible<QPushButton>(m_sheet);
        QVERIFY(std::none_of(buttons.cbegin(), buttons.cend(),
            [](const QPushButton *button) { return button->autoDefault(); }));
        QVERIFY(std::count_if(buttons.cbegin(), buttons.cend(), [](const QPushButton *button) {
            return button->isDefault();
        }) <= 1);

        QTest::keyClick(m_sheet, Qt::Key_Escape);
        if (!escapeCloses) {
            QVERIFY(m_sheet->isVisible());
            QCOMPARE(machine().state(), state);
            QVERIFY(click(m_sheet, "importHeaderCancelButton"));
        }
        QTRY_VERIFY(!m_sheet);
        QVERIFY(!m_store->showImportSheet());
        QCOMPARE(machine().state().kind(), Case::idle);
        QVERIFY(!question || !isAwaiting());
    }

    // The header keeps its height whether its Cancel shows or not, so pages never jump.
    void pagesKeepTheirPlace_data() { dismissal_data(); }
    void pagesKeepTheirPlace()
    {
        QFETCH(ImportState, state);
        m_sheet->layout()->activate();
        const int idleTop = m_sheet->currentPage()->y(); // with Cancel
        enter(state);
        m_sheet->layout()->activate();
        QCOMPARE(m_sheet->currentPage()->y(), idleTop);
    }

    void workspacePicker()
    {
        const QList<WorkspaceInfo> workspaces { WorkspaceInfo::named(u"A"_s),
            WorkspaceInfo::named(u"B"_s) };
        auto pending = machine().askWorkspace(workspaces);
        QVERIFY(visible<ImportChoiceRow>(m_sheet).at(0)->isChecked()
            && !visible<ImportChoiceRow>(m_sheet).at(1)->isChecked());

        // Named through the open panel: cancelled, then a file with dots in its name.
        QTemporaryDir folder;
        const QString path = folder.filePath(u"Tour.2024.qlab5"_s);
        QFile(path).open(QIODevice::WriteOnly);
        QVERIFY(click(m_sheet, "workspaceOpenFileButton"));
        QPointer panel = m_sheet->findChild<QFileDialog *>(u"workspaceOpenPanel"_s);
        QVERIFY(panel && panel->isVisible());
        panel->reject();
        QVERIFY(machine().isAwaitingWorkspace());
        QVERIFY(click(m_sheet, "workspaceOpenFileButton"));
        QTRY_VERIFY(panel = m_sheet->findChild<QFileDialog *>(u"workspaceOpenPanel"_s));
        panel->selectFile(path);
        static_cast<QDialog *>(panel.data())->accept();
        const std::optional<std::optional<WorkspaceInfo>> named = answerOf(pending);
        QVERIFY(named && *named);
        QCOMPARE((*named)->name, u"Tour.2024"_s);

        // Nothing offered: nothing to select, and Return does not answer.
        pending = machine().askWorkspace({});
        QVERIFY(!find(m_sheet, "workspaceSelectButton")->isEnabled());
        QTest::keyClick(m_sheet, Qt::Key_Return);
        QVERIFY(machine().isAwaitingWorkspace());
    }

    void manyWorkspacesScroll()
    {
        QList<WorkspaceInfo> workspaces;
        for (int i = 0; i < 40; ++i)
            workspaces << WorkspaceInfo::named(u"Show %1"_s.arg(i));
        machine().askWorkspace(workspaces);
        QTRY_VERIFY(
            find<QScrollArea>(m_sheet, "workspaceScroll")->verticalScrollBar()->maximum() > 0);
        QPushButton *select = find(m_sheet, "workspaceSelectButton");
        QVERIFY(
            m_sheet->rect().contains(QRect(select->mapTo(m_sheet, QPoint(0, 0)), select->size())));
    }

    void confirmation()
    {
        // A name from outside is never read as markup.
        const auto pending = machine().askExportConfirmation(u"<b>Hamlet</b> & co"_s);
        QLabel *name = find<QLabel>(m_sheet, "confirmWorkspaceName");
        QCOMPARE(name->text(), u"<b>Hamlet</b> & co"_s);
        QCOMPARE(name->textFormat(), Qt::PlainText);
        find(m_sheet, "confirmCancelButton")->setFocus();
        QTest::keyClick(m_sheet, Qt::Key_Return); // the page's default, not the focused Cancel
        QCOMPARE(answerOf(pending), std::optional(true));
    }

    void oscAccess()
    {
        auto pending = machine().askOSCAccess(true, 0);
        QTest::keyClick(m_sheet, Qt::Key_Return); // no passcode field yet: nothing is pressed
        QVERIFY(machine().isAwaitingOSCAccess());
        QVERIFY(click(m_sheet, "oscEnterPasscodeButton"));
        QLineEdit *field = find<QLineEdit>(m_sheet, "oscPasscodeField");
        QVERIFY(field && !find(m_sheet, "oscConnectButton")->isEnabled());
        QTest::keyClicks(field, u" 12"_s);
        QTest::keyClick(field, Qt::Key_Return); // Connect is the page's default
        QCOMPARE(answerOf(pending), std::optional(Action::enterPassword(u" 12"_s)));

        pending = machine().askOSCAccess(true, 1);
        QVERIFY(click(m_sheet, "oscRetryButton"));
        QCOMPARE(answerOf(pending), std::optional(Action::retry()));
    }

    // Every list goes back with its flag, ticked or not.
    void cueListPicker()
    {
        const auto pending = machine().askCueLists(threeLists());
        QPushButton *import = find(m_sheet, "cueListsImportButton");
        const QString allThree = import->text();
        QVERIFY(click(m_sheet, "cueListsDeselectAllButton"));
        QVERIFY(!import->isEnabled());
        QVERIFY(click(m_sheet, "cueListsSelectAllButton"));
        QCOMPARE(import->text(), allThree);
        QTest::mouseClick(visible<ImportChoiceRow>(m_sheet).at(2), Qt::LeftButton);
        QTest::keyClick(m_sheet, Qt::Key_Return);
        QList<CueListInfo> expected = threeLists();
        expected[2].isSelected = false;
        QCOMPARE(answerOf(pending).value(), std::optional(expected));
    }

    // In the light theme too, a disabled confirming button stands out less than an enabled one.
    void disabledConfirmIsFainter()
    {
        AppTheme::follow(); // the sheet's own colours, as the program sets them
        LanguageManager::shared().setThemeMode(AppThemeMode::light);
        QTRY_COMPARE(m_sheet->palette().color(QPalette::Window), Palette::panel());
        machine().askCueLists(threeLists());
        QPushButton *import = find(m_sheet, "cueListsImportButton");
        // How far the button's fill is from the sheet beside it.
        const auto contrast = [this, import] {
            const QImage image = m_sheet->grab().toImage();
            const QPoint inside = import->mapTo(m_sheet, QPoint(4, import->height() / 2));
            return std::abs(image.pixelColor(inside).lightness()
                - image.pixelColor(inside - QPoint(10, 0)).lightness());
        };
        const int enabled = contrast();
        QVERIFY(click(m_sheet, "cueListsDeselectAllButton"));
        const int disabled = contrast();
        LanguageManager::shared().setThemeMode(AppThemeMode::dark);
        QCOMPARE_LT(disabled, enabled);
    }

    // The estimate covers the whole import, so the time left keeps falling when a list begins.
    void progressAcrossLists()
    {
        machine().setEstimatedTotalSeconds(100);
        machine().setImportProgress(0.29); // just below 29 in double precision
        machine().setState(ImportState::importingCues(1, 3, u"<i>Act 1</i>"_s, 12));
        QPointer page = m_sheet->currentPage();
        QCOMPARE(text(m_sheet, "importPercent"), u"28%"_s);
        QVERIFY(text(m_sheet, "importListLine").endsWith(u"<i>Act 1</i>"_s));
        const QString atStart = text(m_sheet, "importRemainingTime");
        QTRY_VERIFY_WITH_TIMEOUT(text(m_sheet, "importRemainingTime") != atStart, 3000);
        const QString later = text(m_sheet, "importRemainingTime");
        machine().setState(ImportState::importingCues(2, 3, u"Act 2"_s, 4));
        QCOMPARE(m_sheet->currentPage(), page.data());
        QVERIFY(text(m_sheet, "importListLine").contains(u"2 / 3"_s));
        QCOMPARE(text(m_sheet, "importRemainingTime"), later);
    }

    void remainingTime_data()
    {
        QTest::addColumn<double>("estimate");
        QTest::addColumn<double>("progress");
        QTest::addColumn<int>("elapsed");
        QTest::addColumn<QString>("expected"); // empty: no line
        QTest::newRow("minutes") << 90.0 << 0.5 << 30 << u"≈ 1:00 remaining"_s;
        QTest::newRow("seconds, truncated") << 75.9 << 0.5 << 20 << u"≈ 55 sec remaining"_s;
        QTest::newRow("estimate reached") << 2.0 << 0.5 << 2 << QString();
        QTest::newRow("too early to tell") << 90.0 << 0.01 << 0 << QString();
        QTest::newRow("NaN estimate") << std::nan("") << 0.5 << 0 << QString();
        QTest::newRow("huge estimate") << 1e300 << 0.5 << 0 << u"≈ 35791394:07 remaining"_s;
    }
    void remainingTime()
    {
        QFETCH(double, estimate);
        QFETCH(double, progress);
        QFETCH(int, elapsed);
        QFETCH(QString, expected);
        QCOMPARE(
            ImportProgressView::remainingTimeText(estimate, progress, elapsed).value_or(QString()),
            expected);
    }

    // A long project name is cut at its end with "…", inside the fixed sheet.
    void completionElidesALongName()
    {
        machine().setState(
            ImportState::completed(u"Hamlet, Prince of Denmark. "_s.repeated(10), 2, 40));
        const auto *name = find<ElidedLabel>(m_sheet, "completeProjectName");
        QTRY_VERIFY(name && name->shownText().endsWith(u'\u2026'));
    }

    // A new message refreshes the page; a long one scrolls inside the fixed sheet.
    void errorPage()
    {
        machine().setState(ImportState::failed(u"one"_s));
        QPointer page = m_sheet->currentPage();
        QStringList lines;
        for (int i = 0; i < 200; ++i)
            lines << u"<b>line %1</b>"_s.arg(i);
        machine().setState(ImportState::failed(lines.join(u'\n')));
        QCOMPARE(m_sheet->currentPage(), page.data());
        QLabel *message = find<QLabel>(m_sheet, "errorMessage");
        QCOMPARE(message->text(), lines.join(u'\n'));
        QCOMPARE(message->textFormat(), Qt::PlainText);
        QTRY_VERIFY(
            find<QScrollArea>(m_sheet, "errorMessageScroll")->verticalScrollBar()->maximum() > 0);
    }

private:
    ImportStateMachine &machine() { return m_store->importMachine(); }

    bool isAwaiting()
    {
        return machine().isAwaitingWorkspace() || machine().isAwaitingExportConfirmation()
            || machine().isAwaitingOSCAccess() || machine().isAwaitingCueLists();
    }

    // Puts the machine in the state; a question is asked for real. Whether it was a question.
    bool enter(const ImportState &state)
    {
        switch (state.kind()) {
        case Case::selectingWorkspace:
            machine().askWorkspace(state.workspaces());
            return true;
        case Case::confirmingExport:
            machine().askExportConfirmation(state.text());
            return true;
        case Case::requestingOSCAccess:
            machine().askOSCAccess(state.oscAccessRequest().oscAvailable, 0);
            return true;
        case Case::selectingCueLists:
            machine().askCueLists(state.cueLists());
            return true;
        default:
            machine().setState(state);
            return false;
        }
    }

    std::unique_ptr<ProjectStore> m_store;
    QPointer<ImportFlowView> m_sheet;
};

QTEST_MAIN(TestImportFlow)
#include "tst_importflow.moc"
