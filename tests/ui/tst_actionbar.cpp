#include "ViewTestSupport.h"
#include "import/ImportStateMachine.h"
#include "store/ProjectStore.h"
#include "ui/ActionBarView.h"
#include "ui/NotificationCenter.h"
#include "ui/Palette.h"
#include "ui/StyledButton.h"

#include <QAction>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace ViewTest;

namespace {

QAction *entry(ActionBarView &bar, const QString &name)
{
    auto *action = bar.findChild<QAction *>(name);
    Q_ASSERT(action);
    return action;
}

StyledButton *button(ActionBarView &bar, const QString &name)
{
    return bar.findChild<StyledButton *>(name);
}

} // namespace

class ActionBarTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        useLanguage(AppLanguage::english);
        useTheme(AppThemeMode::dark);
    }

    void enablesByListsSelectionAndRows_data()
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
        QTest::newRow("one list with rows") << 1 << true << QString() << true << true << true;
    }

    void enablesByListsSelectionAndRows()
    {
        QFETCH(int, lists);
        QFETCH(bool, selectList);
        QFETCH(QString, search);
        QFETCH(bool, currentListEntries);
        QFETCH(bool, allListsEntries);
        QFETCH(bool, exportEnabled);
        ProjectStore store(emptyProject());
        ActionBarView bar(store);
        QLabProject project = twoListProject();
        project.cueLists.resize(lists);
        store.loadProject(project);
        if (!selectList)
            store.setSelectedCueListID(std::nullopt);
        store.setSearchText(search);

        for (const QString name : { u"generateSelectedAction"_s, u"writeSelectedAction"_s })
            QCOMPARE(entry(bar, name)->isEnabled(), currentListEntries);
        for (const QString name :
            { u"generateAllAction"_s, u"writeAllAction"_s, u"clearDescriptionsAction"_s })
            QCOMPARE(entry(bar, name)->isEnabled(), allListsEntries);
        QVERIFY(entry(bar, u"openProjectAction"_s)->isEnabled());
        QVERIFY(entry(bar, u"saveProjectAction"_s)->isEnabled());
        QVERIFY(button(bar, u"importButton"_s)->isEnabled());
        QCOMPARE(button(bar, u"exportButton"_s)->isEnabled(), exportEnabled);
        QCOMPARE(button(bar, u"exportButton"_s)->look().fill,
            exportEnabled ? Palette::accent() : Palette::mutedText());
    }

    void asksTheMainWindow()
    {
        ProjectStore store(emptyProject());
        store.loadProject(twoListProject());
        store.setHasUnsavedChanges(true);
        ActionBarView bar(store);
        QSignalSpy imports(&bar, &ActionBarView::importRequested);
        QSignalSpy opens(&bar, &ActionBarView::openRequested);
        QSignalSpy saves(&bar, &ActionBarView::saveRequested);
        QSignalSpy generations(&bar, &ActionBarView::generateRequested);
        QSignalSpy writeBacks(&bar, &ActionBarView::writeBackRequested);
        QSignalSpy clears(&NotificationCenter::shared(), &NotificationCenter::clearDescriptions);
        QSignalSpy exports(&bar, &ActionBarView::exportRequested);

        // An import or an open only asks: the main window offers to save the unsaved changes.
        QTest::mouseClick(button(bar, u"importButton"_s), Qt::LeftButton);
        entry(bar, u"openProjectAction"_s)->trigger();
        QCOMPARE(imports.count(), 1);
        QCOMPARE(opens.count(), 1);
        QCOMPARE(store.importMachine().state(), ImportState::idle());
        QVERIFY(!store.showImportSheet());
        QCOMPARE(store.project().name, u"Storm"_s);

        entry(bar, u"saveProjectAction"_s)->trigger();
        entry(bar, u"generateAllAction"_s)->trigger();
        entry(bar, u"generateSelectedAction"_s)->trigger();
        entry(bar, u"writeSelectedAction"_s)->trigger();
        entry(bar, u"clearDescriptionsAction"_s)->trigger();
        QTest::mouseClick(button(bar, u"exportButton"_s), Qt::LeftButton);
        QCOMPARE(saves.count(), 1);
        QCOMPARE(generations.count(), 2);
        QCOMPARE(generations.at(0).at(0).value<MainWindowView::AutoDescriptionScope>(),
            MainWindowView::AutoDescriptionScope::all);
        QCOMPARE(generations.at(1).at(0).value<MainWindowView::AutoDescriptionScope>(),
            MainWindowView::AutoDescriptionScope::selected);
        QCOMPARE(writeBacks.count(), 1);
        QCOMPARE(writeBacks.at(0).at(0).value<WriteBackScope>(), WriteBackScope::selected);
        QCOMPARE(clears.count(), 1);
        QCOMPARE(exports.count(), 1);
    }

    void relabelsAndRecoloursAtOnce()
    {
        ProjectStore store(emptyProject());
        store.loadProject(twoListProject());
        ActionBarView bar(store);
        bar.resize(900, 40);
        const QList<StyledButton *> buttons = bar.findChildren<StyledButton *>();
        QList<QAction *> entries = bar.findChildren<QAction *>();
        entries.removeIf([](QAction *each) { return each->objectName().isEmpty(); });
        QStringList english;
        for (StyledButton *each : buttons)
            english << each->text();
        for (QAction *each : entries)
            english << each->text();

        useLanguage(AppLanguage::russian);
        qsizetype index = 0;
        for (StyledButton *each : buttons)
            QVERIFY2(each->text() != english.at(index++), qPrintable(each->objectName()));
        for (QAction *each : entries)
            QVERIFY2(each->text() != english.at(index++), qPrintable(each->objectName()));

        const QPoint background(bar.width() / 2, 2);
        QCOMPARE(pixel(bar, background), Palette::panel().rgb());
        const QColor darkAccent = button(bar, u"exportButton"_s)->look().fill;
        useTheme(AppThemeMode::light);
        QCOMPARE(pixel(bar, background), Palette::panel().rgb());
        QCOMPARE(button(bar, u"exportButton"_s)->look().fill, Palette::accent());
        QVERIFY(darkAccent != Palette::accent());
    }
};

QTEST_MAIN(ActionBarTest)
#include "tst_actionbar.moc"
