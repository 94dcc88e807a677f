#include "ViewTestSupport.h"
#include "store/ProjectStore.h"
#include "ui/EmptyStateView.h"
#include "ui/Palette.h"
#include "ui/StyledButton.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace ViewTest;

namespace {

enum class Setup { emptyProject, noSelection, emptyList, allFilteredOut };

} // namespace

class EmptyStateTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        useLanguage(AppLanguage::english);
        useTheme(AppThemeMode::dark);
    }

    void showsTheNextStep_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<EmptyStateView::State>("state");
        QTest::addColumn<bool>("rowsAfterReset");
        QTest::newRow("empty project")
            << Setup::emptyProject << EmptyStateView::State::noData << false;
        QTest::newRow("no selection")
            << Setup::noSelection << EmptyStateView::State::noListSelected << false;
        QTest::newRow("list without cues")
            << Setup::emptyList << EmptyStateView::State::nothingFound << false;
        QTest::newRow("all filtered out")
            << Setup::allFilteredOut << EmptyStateView::State::nothingFound << true;
    }

    void showsTheNextStep()
    {
        QFETCH(Setup, setup);
        QFETCH(EmptyStateView::State, state);
        QFETCH(bool, rowsAfterReset);
        ProjectStore store(emptyProject());
        EmptyStateView view(store);
        view.resize(500, 400);
        view.show();
        QLabProject project = twoListProject();
        if (setup == Setup::emptyProject)
            project.cueLists.clear();
        if (setup == Setup::emptyList)
            project.cueLists.first().cues.clear();
        store.loadProject(project);
        if (setup == Setup::noSelection)
            store.setSelectedCueListID(std::nullopt);
        if (setup == Setup::allFilteredOut || setup == Setup::noSelection) {
            store.setSearchText(u"zzz"_s);
            store.setShowOnlyWithTriggers(true);
        }

        QCOMPARE(view.state(), state);
        const bool noData = state == EmptyStateView::State::noData;
        QCOMPARE(view.findChild<QLabel *>(u"emptyStateHint"_s)->isVisible(), noData);
        QCOMPARE(view.findChild<StyledButton *>(u"emptyStateImportButton"_s)->isVisible(), noData);
        QCOMPARE(
            view.findChild<StyledButton *>(u"emptyStateTestDataButton"_s)->isVisible(), noData);
        auto *reset = view.findChild<StyledButton *>(u"emptyStateResetButton"_s);
        QCOMPARE(reset->isVisible(), state == EmptyStateView::State::nothingFound);
        if (reset->isVisible()) {
            QTest::mouseClick(reset, Qt::LeftButton);
            QVERIFY(store.searchText().isEmpty());
            QVERIFY(!store.showOnlyWithTriggers());
            QCOMPARE(!store.filteredCues().isEmpty(), rowsAfterReset);
        }

        const QString title = view.findChild<QLabel *>(u"emptyStateTitle"_s)->text();
        useLanguage(AppLanguage::russian);
        QVERIFY(view.findChild<QLabel *>(u"emptyStateTitle"_s)->text() != title);
        QCOMPARE(pixel(view, QPoint(2, 2)), Palette::canvas().rgb());
        useTheme(AppThemeMode::light);
        QCOMPARE(pixel(view, QPoint(2, 2)), Palette::canvas().rgb());
    }

    void replacingTheProjectAsksTheMainWindow()
    {
        ProjectStore store(emptyProject());
        store.setHasUnsavedChanges(true);
        EmptyStateView view(store);
        QSignalSpy imports(&view, &EmptyStateView::importRequested);
        QSignalSpy testData(&view, &EmptyStateView::loadTestDataRequested);
        QTest::mouseClick(
            view.findChild<StyledButton *>(u"emptyStateImportButton"_s), Qt::LeftButton);
        QTest::mouseClick(
            view.findChild<StyledButton *>(u"emptyStateTestDataButton"_s), Qt::LeftButton);
        QCOMPARE(imports.count(), 1);
        QCOMPARE(testData.count(), 1);
        // Nothing is replaced until the main window has asked about the unsaved changes.
        QVERIFY(!store.showImportSheet());
        QVERIFY(store.project().cueLists.isEmpty());
        QVERIFY(store.hasUnsavedChanges());
    }
};

QTEST_MAIN(EmptyStateTest)
#include "tst_emptystate.moc"
