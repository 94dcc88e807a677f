#include "../import/ImportFixtures.h"
#include "FakeQLabServer.h"
#include "ScopedEnvironment.h"
#include "TestSupport.h"
#include "UiProbe.h"
#include "WorkspaceFixture.h"

#include "import/ImportPipeline.h"
#include "import/ImportStateMachine.h"
#include "model/AppText.h"
#include "model/LanguageManager.h"
#include "store/ProjectStore.h"
#include "ui/import/ImportFlowView.h"
#include "ui/import/ImportPage.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace ImportFixtures;
using namespace ImportSheetProbe;
using Case = ImportState::Case;

// A user walks the import sheet through each road of the real import, against the fake QLab and
// the fake osascript, clicking what the pages show.
class TestImportFlowRoads : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { LanguageManager::shared().setCurrent(AppLanguage::english); }

    void init()
    {
        m_environment = std::make_unique<ScopedEnvironment>();
        m_environment->useFakeOsascript(QStringLiteral(MARROWLARK_FAKEBIN));
        m_store = std::make_unique<ProjectStore>(ProjectStore::makeNewProject());
    }

    void cleanup()
    {
        delete m_sheet;
        m_store.reset();
        m_server.reset();
        m_environment.reset();
    }

    // QLab grants OSC at once; the cart list is left out.
    void oscRoad()
    {
        open(showFixture());
        QVERIFY(click(m_sheet, "confirmImportButton"));
        importFirstTwoLists();
        finish(u"Hamlet"_s, 2);
        const QStringList sent = m_server->receivedAddresses();
        QVERIFY(std::any_of(sent.cbegin(), sent.cend(), [](const QString &address) {
            return address.endsWith(u"/cue_id/F-PRESHOW/level/0/0");
        }));
    }

    // A wrong passcode is refused on the same page, with the passcode kept for correction.
    void passcodeRoad()
    {
        open(deniedFixture());
        QVERIFY(click(m_sheet, "confirmImportButton"));
        QVERIFY(click(m_sheet, "oscEnterPasscodeButton"));
        QPointer page = m_sheet->currentPage();
        auto *field = find<QLineEdit>(m_sheet, "oscPasscodeField");
        QTest::keyClicks(field, u"0000"_s);
        QVERIFY(click(m_sheet, "oscConnectButton"));
        QTRY_COMPARE_WITH_TIMEOUT(machine().state().oscAccessRequest().refusedPasscodes, 1, 15000);
        QCOMPARE(m_sheet->currentPage(), page.data());
        QCOMPARE(field->text(), u"0000"_s);
        field->clear();
        QTest::keyClicks(field, u"1234"_s);
        QTest::keyClick(field, Qt::Key_Return);
        importFirstTwoLists();
        finish(u"Hamlet"_s, 2);
    }

    // Without OSC (refused, or the chosen workspace does not answer it) lists come by AppleScript.
    void appleScriptRoad_data()
    {
        QTest::addColumn<QJsonObject>("fixture");
        QTest::addColumn<QJsonObject>("oscSide"); // empty: as AppleScript sees it
        QTest::newRow("access refused") << deniedFixture() << QJsonObject();
        QTest::newRow("the workspace does not answer OSC")
            << showFixture() << answeringOSCOnly({ u"Macbeth"_s });
    }
    void appleScriptRoad()
    {
        QFETCH(QJsonObject, fixture);
        QFETCH(QJsonObject, oscSide);
        open(fixture, {}, oscSide.isEmpty() ? std::nullopt : std::optional(oscSide));
        QVERIFY(click(m_sheet, "confirmImportButton"));
        QVERIFY(click(m_sheet, "oscSkipButton"));
        importFirstTwoLists();
        finish(u"Hamlet"_s, 2);
    }

    // The second workspace is read, and it asks for its passcode.
    void severalWorkspaces()
    {
        open(twoWorkspacesFixture());
        QTRY_COMPARE_WITH_TIMEOUT(visible<ImportChoiceRow>(m_sheet).size(), 2, 15000);
        QTest::mouseClick(visible<ImportChoiceRow>(m_sheet).at(1), Qt::LeftButton);
        QVERIFY(click(m_sheet, "workspaceSelectButton"));
        QTRY_COMPARE(text(m_sheet, "confirmWorkspaceName"), u"Macbeth"_s);
        QVERIFY(click(m_sheet, "confirmImportButton"));
        QVERIFY(click(m_sheet, "oscEnterPasscodeButton"));
        QTest::keyClicks(find<QLineEdit>(m_sheet, "oscPasscodeField"), u"1234"_s);
        QVERIFY(click(m_sheet, "oscConnectButton"));
        importFirstTwoLists();
        finish(u"Macbeth"_s, 2);
        QCOMPARE(m_store->project().cueLists.first().name, u"Scottish Play"_s);
    }

    // A workspace picked from a file that QLab has not open gets the import's advice.
    void namedWorkspaceNotOpen()
    {
        open(twoWorkspacesFixture());
        const QString path = m_folder.filePath(u"Othello.qlab5"_s);
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        QVERIFY(click(m_sheet, "workspaceOpenFileButton"));
        QPointer<QFileDialog> panel;
        QTRY_VERIFY(panel = m_sheet->findChild<QFileDialog *>(u"workspaceOpenPanel"_s));
        panel->selectFile(path);
        static_cast<QDialog *>(panel.data())->accept();
        QVERIFY(click(m_sheet, "confirmImportButton"));
        QTRY_COMPARE_WITH_TIMEOUT(
            text(m_sheet, "errorMessage"), AppText::workspaceNotOpenToImport(u"Othello"_s), 15000);
    }

    // QLab is not running; once it is, Retry on the same sheet goes all the way.
    void failureThenRetry()
    {
        m_environment->set("FAKE_QLAB_NOT_RUNNING", u"1"_s);
        open(showFixture());
        QTRY_VERIFY_WITH_TIMEOUT(!text(m_sheet, "errorMessage").isEmpty(), 15000);
        m_environment->unset("FAKE_QLAB_NOT_RUNNING");
        QVERIFY(click(m_sheet, "errorRetryButton"));
        QVERIFY(click(m_sheet, "confirmImportButton"));
        importFirstTwoLists();
        finish(u"Hamlet"_s, 2);
    }

    void cancelAtAPage_data()
    {
        QTest::addColumn<Case>("page");
        QTest::addColumn<QByteArrayList>("answers"); // pressed on the way there
        QTest::addColumn<QByteArray>("cancelButton");
        const QByteArray picked = "workspaceSelectButton";
        const QByteArray confirmed = "confirmImportButton";
        QTest::newRow("workspace")
            << Case::selectingWorkspace << QByteArrayList() << "importHeaderCancelButton"_ba;
        QTest::newRow("confirmation")
            << Case::confirmingExport << QByteArrayList { picked } << "confirmCancelButton"_ba;
        QTest::newRow("OSC access") << Case::requestingOSCAccess << QByteArrayList { confirmed }
                                    << "importHeaderCancelButton"_ba;
        QTest::newRow("cue lists")
            << Case::selectingCueLists << QByteArrayList { picked, confirmed }
            << "cueListsCancelButton"_ba;
        QTest::newRow("progress") << Case::importingCues
                                  << QByteArrayList { picked, confirmed, "cueListsImportButton" }
                                  << "importHeaderCancelButton"_ba;
    }
    void cancelAtAPage()
    {
        QFETCH(Case, page);
        QFETCH(QByteArrayList, answers);
        QFETCH(QByteArray, cancelButton);
        const QUuid before = m_store->project().id;
        // Several workspaces bring the picker; access is refused only with a single one.
        open(page == Case::requestingOSCAccess ? deniedFixture() : twoWorkspacesFixture(),
            [](FakeQLabServer &server) {
                // Slow enough to cancel while the first list is under way.
                server.addFault({ u"/cue_id/"_s, std::chrono::milliseconds(20), false, QString() });
            });
        for (const QByteArray &answer : std::as_const(answers))
            QVERIFY(click(m_sheet, answer.constData()));
        QTRY_COMPARE_WITH_TIMEOUT(machine().state().kind(), page, 20000);
        QVERIFY(click(m_sheet, cancelButton.constData()));
        QTRY_VERIFY(!m_sheet);
        QVERIFY(!m_store->showImportSheet());
        QTest::qWait(300);
        QCOMPARE(machine().state().kind(), Case::idle);
        QCOMPARE(m_store->project().id, before);
    }

private:
    ImportStateMachine &machine() { return m_store->importMachine(); }

    // Starts the import as the main window does and shows the sheet over it.
    void open(const QJsonObject &fixture, const std::function<void(FakeQLabServer &)> &faults = {},
        const std::optional<QJsonObject> &oscSide = std::nullopt)
    {
        QString error;
        m_server = ImportFixtures::serve(
            m_folder.filePath(u"fixture.json"_s), fixture, *m_environment, faults, &error, oscSide);
        QVERIFY2(m_server, qPrintable(error));
        ImportPipeline::install(machine(), u"127.0.0.1"_s, m_server->port());

        machine().start();
        m_store->setShowImportSheet(true);
        m_sheet = new ImportFlowView(*m_store);
        m_sheet->open();
    }

    // The sample show's lists but the third (the cart).
    void importFirstTwoLists()
    {
        QTRY_COMPARE_WITH_TIMEOUT(visible<ImportChoiceRow>(m_sheet).size(), 3, 20000);
        QTest::mouseClick(visible<ImportChoiceRow>(m_sheet).at(2), Qt::LeftButton);
        QVERIFY(click(m_sheet, "cueListsImportButton"));
    }

    // The summary matches the project now in the store; Done closes the sheet.
    void finish(const QString &projectName, int lists)
    {
        QTRY_COMPARE_WITH_TIMEOUT(text(m_sheet, "completeProjectName"), projectName, 20000);
        QCOMPARE(text(m_sheet, "completeListCount"), QString::number(lists));
        QCOMPARE(m_store->project().name, projectName);
        QCOMPARE(m_store->project().cueLists.size(), lists);
        QCOMPARE(
            text(m_sheet, "completeCueCount"), QString::number(m_store->project().totalCueCount()));
        QVERIFY(click(m_sheet, "completeDoneButton"));
        QTRY_VERIFY(!m_sheet);
        QVERIFY(!m_store->showImportSheet());
        QCOMPARE(machine().state().kind(), Case::idle);
    }

    QTemporaryDir m_folder;
    std::unique_ptr<ScopedEnvironment> m_environment;
    std::unique_ptr<FakeQLabServer> m_server;
    std::unique_ptr<ProjectStore> m_store;
    QPointer<ImportFlowView> m_sheet;
};

QTEST_MAIN(TestImportFlowRoads)
#include "tst_importflowroads.moc"
