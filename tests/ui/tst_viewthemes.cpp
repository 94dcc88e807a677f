#include "ViewTestSupport.h"
#include "store/ProjectStore.h"
#include "ui/ActionBarView.h"
#include "ui/EmptyStateView.h"
#include "ui/ExportSettingsView.h"
#include "ui/FilterBarView.h"
#include "ui/Palette.h"
#include "ui/SidebarView.h"
#include "ui/StatusBarView.h"

#include <QTest>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;
using namespace ViewTest;

using MakeView = std::function<QWidget *(ProjectStore &)>;
using Role = QColor (*)();
Q_DECLARE_METATYPE(MakeView)
Q_DECLARE_METATYPE(Role)

template <typename View> MakeView make()
{
    return [](ProjectStore &store) { return new View(store); };
}

// Every view relabels and recolours the moment the language or the theme changes.
class ViewThemesTest : public QObject
{
    Q_OBJECT

private slots:
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
        QTest::newRow("sidebar, settings popover")
            << make<SidebarView>() << u"themeCaption"_s << &Palette::panel;
        QTest::newRow("export dialog")
            << make<ExportSettingsView>() << u"exportDialogTitle"_s << &Palette::panel;
    }

    void followsLanguageAndThemeAtOnce()
    {
        QFETCH(MakeView, make);
        QFETCH(QString, labelled);
        QFETCH(Role, background);
        use(AppLanguage::english);
        ProjectStore store(project(0));
        store.setHasUnsavedChanges(true);
        const std::unique_ptr<QWidget> view(make(store));
        view->resize(600, 400);

        QObject *label = view->findChild<QObject *>(labelled);
        const QString english = label->property("text").toString();
        use(AppLanguage::russian);
        QVERIFY(!english.isEmpty() && label->property("text").toString() != english);

        const QPoint corner(2, 2);
        QCOMPARE(pixel(*view, corner), background().rgb());
        use(AppLanguage::russian, AppThemeMode::light);
        QCOMPARE(pixel(*view, corner), background().rgb());
    }
};

QTEST_MAIN(ViewThemesTest)
#include "tst_viewthemes.moc"
