#include "ViewTestSupport.h"
#include "store/ProjectStore.h"
#include "ui/FilterBarView.h"
#include "ui/Palette.h"
#include "ui/StyledButton.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace ViewTest;

class FilterBarTest : public QObject
{
    Q_OBJECT

private slots:
    void writesTheStoresFilters()
    {
        ProjectStore store(project());
        FilterBarView bar(store);
        bar.show();
        auto *field = bar.findChild<QLineEdit *>(u"searchField"_s);
        auto *clear = bar.findChild<StyledButton *>(u"clearSearchButton"_s);
        auto *triggers = bar.findChild<StyledButton *>(u"triggersOnlySwitch"_s);
        auto *reset = bar.findChild<StyledButton *>(u"resetFiltersButton"_s);
        QVERIFY(!clear->isVisible() && !reset->isVisible());

        QTest::keyClicks(field, u"th"_s);
        QCOMPARE(store.searchText(), u"th"_s);
        QCOMPARE(store.filteredCues().size(), 1);
        QVERIFY(clear->isVisible() && reset->isVisible());
        clear->click();
        QCOMPARE(field->text(), QString());
        QVERIFY(!clear->isVisible() && !reset->isVisible());

        const QColor offColour = triggers->look().foreground;
        triggers->click();
        QVERIFY(store.showOnlyWithTriggers());
        QCOMPARE(triggers->look().foreground, Palette::accent());
        QVERIFY(reset->isVisible());

        // A hidden cue type alone does not show the reset, but the reset empties it.
        store.setTypeFilter({ CueType::audio });
        QSignalSpy searchWrites(&store, &ProjectStore::searchTextChanged);
        reset->click();
        QVERIFY(!store.showOnlyWithTriggers() && store.typeFilter().isEmpty());
        QCOMPARE(searchWrites.count(), 0);
        QCOMPARE(triggers->look().foreground, offColour);
        store.setTypeFilter({ CueType::audio });
        QVERIFY(!reset->isVisible());

        // Loading a project empties the filters, and the field follows.
        store.setSearchText(u"bell"_s);
        QCOMPARE(field->text(), u"bell"_s);
        store.loadProject(project());
        QCOMPARE(field->text(), QString());
    }
};

QTEST_MAIN(FilterBarTest)
#include "tst_filterbar.moc"
