#include "ViewTestSupport.h"
#include "store/ProjectStore.h"
#include "ui/StatusBarView.h"

#include <QLabel>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace ViewTest;

class StatusBarTest : public QObject
{
    Q_OBJECT

private slots:
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
        use(AppLanguage::english);
        ProjectStore store(project());
        if (!selectList)
            store.setSelectedCueListID(std::nullopt);
        StatusBarView bar(store);
        store.setSearchText(search);
        store.setShowOnlyWithTriggers(triggersOnly);
        QCOMPARE(bar.findChild<QLabel *>(u"statusCount"_s)->text(), expected);
        // The word stays English in the Russian interface.
        use(AppLanguage::russian);
        QCOMPARE(bar.findChild<QLabel *>(u"statusCount"_s)->text(), expected);
    }

    void followsUnsavedFlagAndName()
    {
        ProjectStore store(project(2, u"<b>Storm</b>"_s));
        StatusBarView bar(store);
        bar.show();
        auto *unsaved = bar.findChild<QLabel *>(u"statusUnsaved"_s);
        auto *name = bar.findChild<QLabel *>(u"statusProjectName"_s);
        QCOMPARE(name->textFormat(), Qt::PlainText);
        QCOMPARE(name->text(), u"<b>Storm</b>"_s);
        QVERIFY(!unsaved->isVisible());
        store.setHasUnsavedChanges(true);
        QVERIFY(unsaved->isVisible());
        store.loadProject(project());
        QVERIFY(!unsaved->isVisible());
    }
};

QTEST_MAIN(StatusBarTest)
#include "tst_statusbar.moc"
