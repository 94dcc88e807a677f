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
    void init()
    {
        useLanguage(AppLanguage::english);
        useTheme(AppThemeMode::dark);
    }

    void writesTheStoresFilters()
    {
        ProjectStore store(emptyProject());
        store.loadProject(twoListProject());
        FilterBarView bar(store);
        bar.resize(700, 36);
        bar.show();
        auto *field = bar.findChild<QLineEdit *>(u"searchField"_s);
        auto *clear = bar.findChild<StyledButton *>(u"clearSearchButton"_s);
        auto *triggers = bar.findChild<StyledButton *>(u"triggersOnlySwitch"_s);
        auto *reset = bar.findChild<StyledButton *>(u"resetFiltersButton"_s);
        QVERIFY(!clear->isVisible());
        QVERIFY(!reset->isVisible());

        QTest::keyClicks(field, u"th"_s);
        QCOMPARE(store.searchText(), u"th"_s);
        QCOMPARE(store.filteredCues().size(), 1);
        QVERIFY(clear->isVisible());
        QVERIFY(reset->isVisible());
        QTest::mouseClick(clear, Qt::LeftButton);
        QCOMPARE(store.searchText(), QString());
        QCOMPARE(field->text(), QString());
        QVERIFY(!clear->isVisible());
        QVERIFY(!reset->isVisible());

        const QColor offColour = triggers->look().foreground;
        QTest::mouseClick(triggers, Qt::LeftButton);
        QVERIFY(store.showOnlyWithTriggers());
        QCOMPARE(triggers->look().foreground, Palette::accent());
        QVERIFY(reset->isVisible());

        // A hidden cue type alone does not show the reset, but the reset empties it.
        store.setTypeFilter({ CueType::audio });
        QSignalSpy searchWrites(&store, &ProjectStore::searchTextChanged);
        QTest::mouseClick(reset, Qt::LeftButton);
        QVERIFY(!store.showOnlyWithTriggers());
        QVERIFY(store.typeFilter().isEmpty());
        QCOMPARE(searchWrites.count(), 0);
        QCOMPARE(triggers->look().foreground, offColour);
        QVERIFY(!reset->isVisible());
        store.setTypeFilter({ CueType::audio });
        QVERIFY(!reset->isVisible());

        // Loading a project empties the filters, and the field follows.
        store.setSearchText(u"bell"_s);
        QCOMPARE(field->text(), u"bell"_s);
        store.loadProject(twoListProject());
        QCOMPARE(field->text(), QString());
    }

    void relabelsAndRecoloursAtOnce()
    {
        ProjectStore store(emptyProject());
        FilterBarView bar(store);
        bar.resize(700, 36);
        auto *field = bar.findChild<QLineEdit *>(u"searchField"_s);
        auto *triggers = bar.findChild<StyledButton *>(u"triggersOnlySwitch"_s);
        const QString placeholder = field->placeholderText();
        const QString switchLabel = triggers->text();
        useLanguage(AppLanguage::russian);
        QVERIFY(field->placeholderText() != placeholder);
        QVERIFY(triggers->text() != switchLabel);

        const QPoint background(bar.width() - 2, 2);
        QCOMPARE(pixel(bar, background), Palette::panel().rgb());
        useTheme(AppThemeMode::light);
        QCOMPARE(pixel(bar, background), Palette::panel().rgb());
        QCOMPARE(triggers->look().foreground, Palette::mutedText());
    }
};

QTEST_MAIN(FilterBarTest)
#include "tst_filterbar.moc"
