#include "ViewTestSupport.h"
#include "import/ImportStateMachine.h"
#include "store/ProjectStore.h"
#include "ui/ActionBarView.h"
#include "ui/NotificationCenter.h"
#include "ui/Palette.h"
#include "ui/StyledButton.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace ViewTest;

class ActionBarTest : public QObject
{
    Q_OBJECT

private slots:
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
        ProjectStore store(project(0));
        ActionBarView bar(store);
        store.loadProject(project(lists));
        if (!selectList)
            store.setSelectedCueListID(std::nullopt);
        store.setSearchText(search);

        const auto enabled
            = [&bar](const QString &name) { return bar.findChild<QAction *>(name)->isEnabled(); };
        QCOMPARE(enabled(u"generateSelectedAction"_s), currentListEntries);
        QCOMPARE(enabled(u"writeSelectedAction"_s), currentListEntries);
        QCOMPARE(enabled(u"generateAllAction"_s), allListsEntries);
        QCOMPARE(enabled(u"writeAllAction"_s), allListsEntries);
        QCOMPARE(enabled(u"clearDescriptionsAction"_s), allListsEntries);
        QVERIFY(enabled(u"openProjectAction"_s) && enabled(u"saveProjectAction"_s));
        auto *exportButton = bar.findChild<StyledButton *>(u"exportButton"_s);
        QCOMPARE(exportButton->isEnabled(), exportEnabled);
        QCOMPARE(
            exportButton->look().fill, exportEnabled ? Palette::accent() : Palette::mutedText());
    }

    void asksTheMainWindow()
    {
        ProjectStore store(project());
        store.setHasUnsavedChanges(true);
        ActionBarView bar(store);
        const QList<std::pair<QString, const char *>> requests = {
            { u"importButton"_s, SIGNAL(importRequested()) },
            { u"openProjectAction"_s, SIGNAL(openRequested()) },
            { u"saveProjectAction"_s, SIGNAL(saveRequested()) },
            { u"exportButton"_s, SIGNAL(exportRequested()) },
            { u"generateAllAction"_s,
                SIGNAL(generateRequested(MainWindowView::AutoDescriptionScope)) },
            { u"writeSelectedAction"_s, SIGNAL(writeBackRequested(WriteBackScope)) },
        };
        for (const auto &[control, signal] : requests) {
            QSignalSpy spy(&bar, signal);
            press(bar, control);
            QVERIFY2(spy.count() == 1, qPrintable(control));
        }
        QSignalSpy clears(&NotificationCenter::shared(), &NotificationCenter::clearDescriptions);
        press(bar, u"clearDescriptionsAction"_s);
        QCOMPARE(clears.count(), 1);
        QSignalSpy scopes(&bar, &ActionBarView::generateRequested);
        press(bar, u"generateSelectedAction"_s);
        QCOMPARE(scopes.at(0).at(0).value<MainWindowView::AutoDescriptionScope>(),
            MainWindowView::AutoDescriptionScope::selected);

        // An import or an open only asks: the main window offers to save the changes first.
        QCOMPARE(store.importMachine().state(), ImportState::idle());
        QVERIFY(!store.showImportSheet());
        QCOMPARE(store.project().name, u"Storm"_s);
    }
};

QTEST_MAIN(ActionBarTest)
#include "tst_actionbar.moc"
