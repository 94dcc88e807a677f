#include "ViewTestSupport.h"
#include "store/ProjectStore.h"
#include "ui/Palette.h"
#include "ui/StatusBarView.h"

#include <QLabel>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace ViewTest;

class StatusBarTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        useLanguage(AppLanguage::english);
        useTheme(AppThemeMode::dark);
    }

    void countsRowsAgainstRows_data()
    {
        QTest::addColumn<bool>("selectList");
        QTest::addColumn<QString>("search");
        QTest::addColumn<bool>("triggersOnly");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no list") << false << QString() << false << u"0 cues"_s;
        // The group's members are not rows of the table, so nothing is hidden here.
        QTest::newRow("group members") << true << QString() << false << u"5 cues"_s;
        QTest::newRow("search") << true << u"rain"_s << false << u"1 / 5 cues"_s;
        QTest::newRow("triggers") << true << QString() << true << u"1 / 5 cues"_s;
        QTest::newRow("nothing passes") << true << u"zzz"_s << false << u"0 / 5 cues"_s;
    }

    void countsRowsAgainstRows()
    {
        QFETCH(bool, selectList);
        QFETCH(QString, search);
        QFETCH(bool, triggersOnly);
        QFETCH(QString, expected);
        ProjectStore store(emptyProject());
        store.loadProject(twoListProject());
        if (!selectList)
            store.setSelectedCueListID(std::nullopt);
        StatusBarView bar(store);
        store.setSearchText(search);
        store.setShowOnlyWithTriggers(triggersOnly);
        QCOMPARE(bar.findChild<QLabel *>(u"statusCount"_s)->text(), expected);
        // The word stays English in the Russian interface.
        useLanguage(AppLanguage::russian);
        QCOMPARE(bar.findChild<QLabel *>(u"statusCount"_s)->text(), expected);
    }

    void followsUnsavedFlagLanguageAndTheme()
    {
        ProjectStore store(emptyProject());
        store.loadProject(twoListProject(u"<b>Storm</b>"_s));
        StatusBarView bar(store);
        bar.resize(400, 30);
        bar.show();
        auto *unsaved = bar.findChild<QLabel *>(u"statusUnsaved"_s);
        auto *name = bar.findChild<QLabel *>(u"statusProjectName"_s);
        QCOMPARE(name->textFormat(), Qt::PlainText);
        QCOMPARE(name->text(), u"<b>Storm</b>"_s);
        QVERIFY(!unsaved->isVisible());

        store.setHasUnsavedChanges(true);
        QVERIFY(unsaved->isVisible());
        const QString english = unsaved->text();
        useLanguage(AppLanguage::russian);
        QVERIFY(unsaved->text() != english);

        const QPoint background(200, 20);
        QCOMPARE(pixel(bar, background), Palette::panel().rgb());
        useTheme(AppThemeMode::light);
        QCOMPARE(pixel(bar, background), Palette::panel().rgb());
        QCOMPARE(name->palette().color(QPalette::WindowText).rgb(), Palette::mutedText().rgb());

        store.loadProject(twoListProject());
        QVERIFY(!unsaved->isVisible());
    }
};

QTEST_MAIN(StatusBarTest)
#include "tst_statusbar.moc"
