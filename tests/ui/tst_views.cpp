#include "FakeFileDialogs.h"
#include "ViewTestSupport.h"
#include "import/ImportStateMachine.h"
#include "store/ProjectStore.h"
#include "ui/ActionBarView.h"
#include "ui/EmptyStateView.h"
#include "ui/ExportSettingsView.h"
#include "ui/FilterBarView.h"
#include "ui/Palette.h"
#include "ui/QtTranslation.h"
#include "ui/SidebarView.h"
#include "ui/StatusBarView.h"

#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;
using namespace ViewTest;

using MakeView = std::function<QWidget *(ProjectStore &)>;
using Role = QColor (*)();
Q_DECLARE_METATYPE(MakeView)
Q_DECLARE_METATYPE(Role)

namespace {

// Each sheet's name, then the number and name cells of its cue rows (after the colour column), as
// openpyxl reads them.
const QString sheetDump
    = u"import openpyxl, sys\n"
      "for ws in openpyxl.load_workbook(sys.argv[1]).worksheets:\n"
      "    rows = [r for r in ws.iter_rows(min_row=2) if len(r) > 3 and r[2].value]\n"
      "    print(ws.title + ':' + ','.join(f'{r[2].value} {r[3].value}' for r in rows))\n"_s;

} // namespace

template <typename View> MakeView make()
{
    return [](ProjectStore &store) { return new View(store); };
}

// The bars, the sidebar and the empty state around the cue table, and the export dialog.
class ViewsTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        use(AppLanguage::english);
        ExportSettings::storeSelectedColumns({ ExportColumn::name, ExportColumn::trigger });
    }

    // Every view relabels and recolours the moment the language or the theme changes.
    void followsLanguageAndThemeAtOnce_data()
    {
        QTest::addColumn<MakeView>("make");
        QTest::addColumn<QString>("labelled");
        QTest::addColumn<Role>("background");
        QTest::newRow("status bar")
            << make<StatusBarView>() << u"statusUnsaved"_s << &Palette::panel;
        QTest::newRow("action bar")
            << make<ActionBarView>() << u"importButton"_s << &Palette::panel;
        QTest::newRow("filter bar")
            << make<FilterBarView>() << u"triggersOnlySwitch"_s << &Palette::panel;
        QTest::newRow("empty state")
            << make<EmptyStateView>() << u"emptyStateTitle"_s << &Palette::canvas;
        QTest::newRow("sidebar") << make<SidebarView>() << u"themeCaption"_s << &Palette::panel;
        QTest::newRow("export dialog")
            << make<ExportSettingsView>() << u"exportDialogTitle"_s << &Palette::panel;
    }
    void followsLanguageAndThemeAtOnce()
    {
        QFETCH(MakeView, make);
        QFETCH(QString, labelled);
        QFETCH(Role, background);
        ProjectStore store(project(0));
        store.setHasUnsavedChanges(true);
        const std::unique_ptr<QWidget> view(make(store));
        view->resize(600, 400);
        QObject *label = view->findChild<QObject *>(labelled);
        const QString english = label->property("text").toString();
        use(AppLanguage::russian);
        QVERIFY(!english.isEmpty() && label->property("text").toString() != english);
        use(AppLanguage::russian, AppThemeMode::light);
        QCOMPARE(view->grab().toImage().pixel(2, 2), background().rgb());
    }

    // A bar's rule along its bottom edge is drawn, one device pixel in the line colour.
    void barsDrawTheirRule()
    {
        ProjectStore store(project());
        for (const MakeView &makeBar : { make<ActionBarView>(), make<FilterBarView>() }) {
            const std::unique_ptr<QWidget> bar(makeBar(store));
            bar->resize(600, bar->sizeHint().height());
            const QImage image = bar->grab().toImage();
            QCOMPARE(image.pixel(2, image.height() - 1), Palette::line().rgb());
            QCOMPARE(image.pixel(2, image.height() - 2), Palette::panel().rgb());
        }
    }

    // The count compares rows with rows: the group's members are not rows of the table.
    void statusCountsRowsAgainstRows_data()
    {
        QTest::addColumn<bool>("selectList");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no list") << false << QString() << u"0 cues"_s;
        QTest::newRow("group members") << true << QString() << u"5 cues"_s;
        QTest::newRow("search") << true << u"rain"_s << u"1 / 5 cues"_s;
        QTest::newRow("nothing passes") << true << u"zzz"_s << u"0 / 5 cues"_s;
    }
    void statusCountsRowsAgainstRows()
    {
        QFETCH(bool, selectList);
        QFETCH(QString, search);
        QFETCH(QString, expected);
        ProjectStore store(project());
        if (!selectList)
            store.setSelectedCueListID(std::nullopt);
        StatusBarView bar(store);
        store.setSearchText(search);
        QCOMPARE(bar.findChild<QLabel *>(u"statusCount"_s)->text(), expected);
    }

    void statusShowsNameAsPlainTextAndUnsavedFlag()
    {
        ProjectStore store(project(2, u"<b>Storm</b>"_s));
        StatusBarView bar(store);
        bar.show();
        auto *name = bar.findChild<QLabel *>(u"statusProjectName"_s);
        QCOMPARE(name->textFormat(), Qt::PlainText);
        QCOMPARE(name->text(), u"<b>Storm</b>"_s);
        auto *unsaved = bar.findChild<QLabel *>(u"statusUnsaved"_s);
        store.setHasUnsavedChanges(true);
        QVERIFY(unsaved->isVisible());
        store.loadProject(project());
        QVERIFY(!unsaved->isVisible());
    }

    void filterBarWritesTheStoresFilters()
    {
        ProjectStore store(project());
        FilterBarView bar(store);
        bar.show();
        auto *field = bar.findChild<QLineEdit *>(u"searchField"_s);
        auto *reset = bar.findChild<QWidget *>(u"resetFiltersButton"_s);
        QTest::keyClicks(field, u"th"_s);
        QCOMPARE(store.filteredCues().size(), 1);
        press(bar, u"clearSearchButton"_s);
        QCOMPARE(field->text(), QString());
        QVERIFY(!reset->isVisible());

        press(bar, u"triggersOnlySwitch"_s);
        QVERIFY(store.showOnlyWithTriggers() && reset->isVisible());
        // The reset empties a hidden cue type too, without writing the search again.
        store.setTypeFilter({ CueType::audio });
        QSignalSpy searchWrites(&store, &ProjectStore::searchTextChanged);
        press(bar, u"resetFiltersButton"_s);
        QVERIFY(!store.showOnlyWithTriggers() && store.typeFilter().isEmpty());
        QCOMPARE(searchWrites.count(), 0);
    }

    void sidebarListsCueListsAndSelects()
    {
        ProjectStore store(project(0));
        SidebarView sidebar(store);
        auto *rows = sidebar.findChild<QListWidget *>(u"cueListList"_s);
        const QLabProject loaded = project();
        store.loadProject(loaded);
        QCOMPARE(rows->count(), 2);
        // The group's members count beside the top-level cues.
        QCOMPARE(rows->item(0)->data(SidebarView::cueCountRole).toInt(), 8);
        QSignalSpy selections(&store, &ProjectStore::selectedCueListIDChanged);
        rows->setCurrentRow(1);
        rows->setCurrentRow(1);
        QCOMPARE(store.selectedCueListID(), loaded.cueLists.at(1).id);
        QCOMPARE(selections.count(), 1);
        store.setSelectedCueListID(loaded.cueLists.at(0).id);
        QVERIFY(rows->item(0)->isSelected());
    }

    void emptyStateShowsTheNextStep_data()
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
    void emptyStateShowsTheNextStep()
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
        QCOMPARE(shown(u"emptyStateImportButton"_s), state == EmptyStateView::State::noData);
        QCOMPARE(shown(u"emptyStateResetButton"_s), state == EmptyStateView::State::nothingFound);
        if (shown(u"emptyStateResetButton"_s)) {
            press(view, u"emptyStateResetButton"_s);
            QCOMPARE(store.filteredCues().isEmpty(), !cues);
        }
    }

    void actionBarEnablesByListsSelectionAndRows_data()
    {
        QTest::addColumn<int>("lists");
        QTest::addColumn<bool>("selectList");
        QTest::addColumn<QString>("search");
        QTest::addColumn<bool>("currentListEntries");
        QTest::addColumn<bool>("allListsEntries");
        QTest::addColumn<bool>("exportEnabled");
        QTest::newRow("no lists") << 0 << false << QString() << false << false << false;
        QTest::newRow("lists, none selected") << 2 << false << QString() << false << true << true;
        QTest::newRow("one list filtered empty") << 1 << true << u"zzz"_s << true << true << false;
        QTest::newRow("two lists filtered empty") << 2 << true << u"zzz"_s << true << true << true;
    }
    void actionBarEnablesByListsSelectionAndRows()
    {
        QFETCH(int, lists);
        QFETCH(bool, selectList);
        QFETCH(QString, search);
        QFETCH(bool, currentListEntries);
        QFETCH(bool, allListsEntries);
        QFETCH(bool, exportEnabled);
        ProjectStore store(project(0));
        ActionBarView bar(store);
        store.loadProject(project(lists));
        if (!selectList)
            store.setSelectedCueListID(std::nullopt);
        store.setSearchText(search);
        const auto enabled
            = [&bar](const QString &name) { return bar.findChild<QAction *>(name)->isEnabled(); };
        QCOMPARE(enabled(u"writeSelectedAction"_s), currentListEntries);
        QCOMPARE(enabled(u"clearDescriptionsAction"_s), allListsEntries);
        QCOMPARE(bar.findChild<QWidget *>(u"exportButton"_s)->isEnabled(), exportEnabled);
    }

    // An import, an open or the test data only ask: the main window offers to save first.
    void replacingTheProjectOnlyAsks()
    {
        ProjectStore store(project());
        store.setHasUnsavedChanges(true);
        ActionBarView bar(store);
        EmptyStateView empty(store);
        QSignalSpy imports(&bar, &ActionBarView::importRequested);
        QSignalSpy opens(&bar, &ActionBarView::openRequested);
        QSignalSpy emptyImports(&empty, &EmptyStateView::importRequested);
        QSignalSpy testData(&empty, &EmptyStateView::loadTestDataRequested);
        press(bar, u"importButton"_s);
        press(bar, u"openProjectAction"_s);
        press(empty, u"emptyStateImportButton"_s);
        press(empty, u"emptyStateTestDataButton"_s);
        QCOMPARE(imports.count() + opens.count() + emptyImports.count() + testData.count(), 4);
        QCOMPARE(store.importMachine().state(), ImportState::idle());
        QVERIFY(!store.showImportSheet() && store.hasUnsavedChanges());
        QCOMPARE(store.project().cueLists.size(), 2);
    }

    // Qt's own texts, such as a text field's context menu, follow the language too.
    void qtTextsFollowTheLanguage()
    {
        if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + u"/qtbase_ru.qm"_s))
            QSKIP("Qt's Russian translation is not installed");
        QtTranslation::follow();
        QLineEdit field;
        const auto undoEntry = [&field] {
            return std::unique_ptr<QMenu>(field.createStandardContextMenu())->actions()[0]->text();
        };
        const QString english = undoEntry();
        use(AppLanguage::russian);
        QCOMPARE_NE(undoEntry(), english);
        use(AppLanguage::english);
        QCOMPARE(undoEntry(), english);
    }

    void refusesAnExportWithoutColumns()
    {
        ProjectStore store(project());
        FakeFileDialogs panels;
        QWidget window;
        ExportSettingsView dialog(store, &window);
        window.show();
        dialog.open();
        QVERIFY(dialog.isVisible() && dialog.windowModality() == Qt::WindowModal);
        auto *warning = dialog.findChild<QWidget *>(u"columnWarning"_s);
        const auto warningShown = [warning] { return warning->isVisible(); };

        press(dialog, u"columnRow_name"_s);
        press(dialog, u"columnRow_trigger"_s);
        press(dialog, u"exportConfirmButton"_s);
        QVERIFY(warningShown() && dialog.isVisible());
        // Wholly in view, not below the visible part of the scrolling sections.
        QCoreApplication::processEvents(); // the sections' layout settles
        QCOMPARE(warning->visibleRegion(), QRegion(warning->rect()));
        QVERIFY(panels.saveRequests.isEmpty());

        // Choosing all columns keeps the warning until a column is toggled.
        press(dialog, u"resetColumnsButton"_s);
        QCOMPARE(dialog.settings().selectedColumns.size(), 6);
        QVERIFY(warningShown());
        press(dialog, u"columnRow_action"_s);
        QVERIFY(!warningShown());

        // Cancel forgets the choice; the next presentation starts from the stored one.
        press(dialog, u"formatCard_excel"_s);
        press(dialog, u"exportCancelButton"_s);
        QVERIFY(!dialog.isVisible());
        dialog.open();
        QCOMPARE(dialog.settings().format, ExportFormat::pdf);
        QCOMPARE(dialog.settings().selectedColumns.size(), 2);
    }

    void exportsThroughTheService_data()
    {
        QTest::addColumn<bool>("excel");
        QTest::addColumn<int>("lists");
        QTest::addColumn<QString>("suggestedName");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("absent");
        // With several lists the export covers all of them, whatever the table shows.
        QTest::newRow("pdf, all lists")
            << false << 2 << u"Storm Marrowlark.pdf"_s
            << QStringList { u"Main"_s, u"Act 2"_s, u"Rain"_s, u"Thunder"_s } << QString();
        QTest::newRow("pdf, the table's rows")
            << false << 1 << u"Main.pdf"_s << QStringList { u"Main"_s, u"Thunder"_s } << u"Rain"_s;
        QTest::newRow("excel, the table's rows")
            << true << 1 << u"Main.xlsx"_s << QStringList { u"Main:3 Thunder\n"_s } << u"Info"_s;
    }

    void exportsThroughTheService()
    {
        QFETCH(bool, excel);
        QFETCH(int, lists);
        QFETCH(QString, suggestedName);
        QFETCH(QStringList, expected);
        QFETCH(QString, absent);
        ExportSettings::storeSelectedColumns(
            { ExportColumn::type, ExportColumn::number, ExportColumn::name });
        QTemporaryDir folder;
        FakeFileDialogs panels;
        panels.saveAnswer = folder.filePath(excel ? u"export.xlsx"_s : u"export.pdf"_s);
        ProjectStore store(project(lists));
        store.setSearchText(u"thun"_s);

        ExportSettingsView dialog(store);
        dialog.open();
        if (excel)
            press(dialog, u"formatCard_excel"_s);
        press(dialog, u"exportConfirmButton"_s);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(panels.saveRequests.size(), 1);
        QCOMPARE(panels.saveRequests.first().suggestedName, suggestedName);
        // The success alert follows once the written file is reported.
        QTRY_COMPARE(panels.alerts.size(), 1);

        QString errors;
        const QString text = QString::fromUtf8(excel
                ? runTool(u"/usr/bin/python3"_s, { u"-c"_s, sheetDump, panels.saveAnswer }, &errors)
                      .value_or(QByteArray())
                : runTool(u"pdftotext"_s, { panels.saveAnswer, u"-"_s }, &errors)
                      .value_or(QByteArray()));
        for (const QString &each : expected)
            QVERIFY2(text.contains(each), qPrintable(text + errors));
        QVERIFY2(absent.isEmpty() || !text.contains(absent), qPrintable(text));
    }
};

QTEST_MAIN(ViewsTest)
#include "tst_views.moc"
