#include "ViewTestSupport.h"
#include "store/ProjectStore.h"
#include "ui/LanguagePickerView.h"
#include "ui/Palette.h"
#include "ui/SidebarView.h"
#include "ui/StyledButton.h"

#include <QAbstractButton>
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
    void init()
    {
        useLanguage(AppLanguage::russian);
        useTheme(AppThemeMode::dark);
    }

    void listsCueListsAndSelects()
    {
        ProjectStore store(emptyProject());
        SidebarView sidebar(store);
        auto *rows = sidebar.findChild<QListWidget *>(u"cueListList"_s);
        QCOMPARE(rows->count(), 0);
        QVERIFY(!sidebar.findChild<QLabel *>(u"cueListsHeader"_s)->text().isEmpty());

        const QLabProject project = twoListProject();
        store.loadProject(project);
        QCOMPARE(rows->count(), 2);
        // Each group member counts beside the top-level cues.
        QCOMPARE(rows->item(0)->text(), u"Main"_s);
        QCOMPARE(rows->item(0)->data(SidebarView::cueCountRole).toInt(), 8);
        QCOMPARE(rows->item(1)->data(SidebarView::cueCountRole).toInt(), 1);
        QCOMPARE(rows->currentRow(), 0);

        QSignalSpy selections(&store, &ProjectStore::selectedCueListIDChanged);
        rows->setCurrentRow(1);
        QCOMPARE(store.selectedCueListID(), project.cueLists.at(1).id);
        rows->setCurrentRow(1);
        QCOMPARE(selections.count(), 1);

        store.setSelectedCueListID(project.cueLists.at(0).id);
        QCOMPARE(rows->currentRow(), 0);
        QVERIFY(rows->item(0)->isSelected());
    }

    void pickerSwitchesLanguageAndTheme()
    {
        ProjectStore store(emptyProject());
        SidebarView sidebar(store);
        sidebar.resize(220, 500);
        sidebar.show();
        auto *picker = sidebar.findChild<LanguagePickerView *>();
        QTest::mouseClick(picker->findChild<StyledButton *>(u"settingsButton"_s), Qt::LeftButton);
        QFrame *popover = picker->popover();
        QVERIFY(popover->isVisible());
        QVERIFY(popover->windowFlags().testFlag(Qt::Popup));

        auto *languageCaption = popover->findChild<QLabel *>(u"languageCaption"_s);
        auto *english = popover->findChild<QAbstractButton *>(u"languageSegment_en"_s);
        auto *light = popover->findChild<QAbstractButton *>(u"themeSegment_light"_s);
        const QString russianCaption = languageCaption->text();
        const QString russianLight = light->text();
        const QString englishName = english->text();
        QTest::mouseClick(english, Qt::LeftButton);
        QCOMPARE(LanguageManager::shared().current(), AppLanguage::english);
        QVERIFY(popover->isVisible());
        QVERIFY(languageCaption->text() != russianCaption);
        QCOMPARE(languageCaption->text(), languageCaption->text().toUpper());
        QVERIFY(light->text() != russianLight);
        QCOMPARE(english->text(), englishName);

        const QRgb darkCanvas = pixel(sidebar, QPoint(2, sidebar.height() - 2));
        QCOMPARE(darkCanvas, Palette::canvas().rgb());
        QTest::mouseClick(light, Qt::LeftButton);
        QVERIFY(!LanguageManager::shared().isDark());
        QVERIFY(light->isChecked());
        QCOMPARE(QSettings().value(u"appThemeMode"_s).toString(), u"light"_s);
        QCOMPARE(pixel(sidebar, QPoint(2, sidebar.height() - 2)), Palette::canvas().rgb());
        QCOMPARE(popover->palette().color(QPalette::Window).rgb(), Palette::panel().rgb());

        picker->setShowSettings(false);
        QVERIFY(!popover->isVisible());
    }
};

QTEST_MAIN(SidebarTest)
#include "tst_sidebar.moc"
