#include "ViewTestSupport.h"
#include "store/ProjectStore.h"
#include "ui/LanguagePickerView.h"
#include "ui/Palette.h"
#include "ui/SidebarView.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace ViewTest;

class SidebarTest : public QObject
{
    Q_OBJECT

private slots:
    void listsCueListsAndSelects()
    {
        ProjectStore store(project(0));
        SidebarView sidebar(store);
        auto *rows = sidebar.findChild<QListWidget *>(u"cueListList"_s);
        QCOMPARE(rows->count(), 0);

        const QLabProject loaded = project();
        store.loadProject(loaded);
        QCOMPARE(rows->count(), 2);
        QCOMPARE(rows->item(0)->text(), u"Main"_s);
        // The group's members count beside the top-level cues.
        QCOMPARE(rows->item(0)->data(SidebarView::cueCountRole).toInt(), 8);
        QCOMPARE(rows->currentRow(), 0);

        QSignalSpy selections(&store, &ProjectStore::selectedCueListIDChanged);
        rows->setCurrentRow(1);
        QCOMPARE(store.selectedCueListID(), loaded.cueLists.at(1).id);
        rows->setCurrentRow(1);
        QCOMPARE(selections.count(), 1);
        store.setSelectedCueListID(loaded.cueLists.at(0).id);
        QVERIFY(rows->item(0)->isSelected());
    }

    void pickerSwitchesLanguageAndTheme()
    {
        use(AppLanguage::russian);
        ProjectStore store(project(0));
        SidebarView sidebar(store);
        sidebar.show();
        auto *picker = sidebar.findChild<LanguagePickerView *>();
        press(*picker, u"settingsButton"_s);
        QFrame *popover = picker->popover();
        QVERIFY(popover->isVisible() && popover->windowFlags().testFlag(Qt::Popup));

        // The popover stays open and relabels itself; the language names stay as they are.
        auto *caption = popover->findChild<QLabel *>(u"languageCaption"_s);
        auto *english = popover->findChild<QAbstractButton *>(u"languageSegment_en"_s);
        auto *light = popover->findChild<QAbstractButton *>(u"themeSegment_light"_s);
        const QStringList before = { caption->text(), light->text(), english->text() };
        english->click();
        QCOMPARE(LanguageManager::shared().current(), AppLanguage::english);
        QVERIFY(popover->isVisible());
        QVERIFY(caption->text() != before[0] && caption->text() == caption->text().toUpper());
        QVERIFY(light->text() != before[1]);
        QCOMPARE(english->text(), before[2]);

        // The popover is a window of its own and recolours with the rest.
        light->click();
        QVERIFY(!LanguageManager::shared().isDark() && light->isChecked());
        QCOMPARE(QSettings().value(u"appThemeMode"_s).toString(), u"light"_s);
        QCOMPARE(pixel(*popover, QPoint(3, 3)), Palette::panel().rgb());
        picker->setShowSettings(false);
        QVERIFY(!popover->isVisible());
    }
};

QTEST_MAIN(SidebarTest)
#include "tst_sidebar.moc"
