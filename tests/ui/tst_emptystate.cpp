#include "ViewTestSupport.h"
#include "store/ProjectStore.h"
#include "ui/EmptyStateView.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace ViewTest;

class EmptyStateTest : public QObject
{
    Q_OBJECT

private slots:
    void showsTheNextStep_data()
    {
        QTest::addColumn<int>("lists");
        QTest::addColumn<bool>("selectList");
        QTest::addColumn<bool>("cues");
        QTest::addColumn<EmptyStateView::State>("state");
        QTest::newRow("no lists") << 0 << false << true << EmptyStateView::State::noData;
        QTest::newRow("no selection")
            << 2 << false << true << EmptyStateView::State::noListSelected;
        QTest::newRow("list without cues")
            << 2 << true << false << EmptyStateView::State::nothingFound;
        QTest::newRow("all filtered out")
            << 2 << true << true << EmptyStateView::State::nothingFound;
    }

    void showsTheNextStep()
    {
        QFETCH(int, lists);
        QFETCH(bool, selectList);
        QFETCH(bool, cues);
        QFETCH(EmptyStateView::State, state);
        ProjectStore store(project(0));
        EmptyStateView view(store);
        view.show();
        QLabProject loaded = project(lists);
        if (!cues)
            loaded.cueLists.first().cues.clear();
        store.loadProject(loaded);
        if (!selectList)
            store.setSelectedCueListID(std::nullopt);
        store.setSearchText(u"zzz"_s);
        store.setShowOnlyWithTriggers(true);

        QCOMPARE(view.state(), state);
        const auto shown
            = [&view](const QString &name) { return view.findChild<QWidget *>(name)->isVisible(); };
        const bool noData = state == EmptyStateView::State::noData;
        QCOMPARE(shown(u"emptyStateHint"_s), noData);
        QCOMPARE(shown(u"emptyStateImportButton"_s), noData);
        QCOMPARE(shown(u"emptyStateTestDataButton"_s), noData);
        QCOMPARE(shown(u"emptyStateResetButton"_s), state == EmptyStateView::State::nothingFound);
        if (shown(u"emptyStateResetButton"_s)) {
            press(view, u"emptyStateResetButton"_s);
            QVERIFY(store.searchText().isEmpty() && !store.showOnlyWithTriggers());
            QCOMPARE(store.filteredCues().isEmpty(), !cues);
        }
    }

    void replacingTheProjectAsksTheMainWindow()
    {
        ProjectStore store(project(0));
        store.setHasUnsavedChanges(true);
        EmptyStateView view(store);
        QSignalSpy imports(&view, &EmptyStateView::importRequested);
        QSignalSpy testData(&view, &EmptyStateView::loadTestDataRequested);
        press(view, u"emptyStateImportButton"_s);
        press(view, u"emptyStateTestDataButton"_s);
        QCOMPARE(imports.count(), 1);
        QCOMPARE(testData.count(), 1);
        // Nothing is replaced until the main window has asked about the unsaved changes.
        QVERIFY(!store.showImportSheet());
        QVERIFY(store.project().cueLists.isEmpty() && store.hasUnsavedChanges());
    }
};

QTEST_MAIN(EmptyStateTest)
#include "tst_emptystate.moc"
