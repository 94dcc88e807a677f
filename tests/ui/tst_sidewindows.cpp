#include "UiProbe.h"
#include "model/AppText.h"
#include "model/LanguageManager.h"
#include "ui/AppTheme.h"
#include "ui/LegalTextView.h"
#include "ui/LegalWindowManager.h"
#include "ui/LinkedText.h"
#include "ui/Palette.h"
#include "ui/SupportManager.h"

#include <QTextBrowser>

using namespace Qt::StringLiterals;

class SideWindowsTest : public QObject
{
    Q_OBJECT

    static void closeAll()
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            window->close();
        QTest::qWait(0);
    }

private slots:
    void init() { LanguageManager::shared().setCurrent(AppLanguage::english); }
    void cleanup() { closeAll(); }

    // Each window keeps its own closure: a second window opened meanwhile does not drop the
    // first one's, and each runs once, by "Close" or by the close box.
    void supportClosuresRunOnceEach()
    {
        int first = 0;
        int second = 0;
        SupportManager::shared().showSupportWindow([&] { ++first; });
        QPointer<QWidget> firstWindow = SupportManager::shared().retainedWindow();
        SupportManager::shared().showSupportWindow([&] { ++second; });
        QCOMPARE(shownCount(u"supportWindow"_s), 2);
        QCOMPARE(firstWindow->windowTitle(), AppText::supportTheProject());

        firstWindow->findChild<QAbstractButton *>(u"supportCloseButton"_s)->click();
        QCOMPARE(first, 1);
        QCOMPARE(second, 0);
        SupportManager::shared().retainedWindow()->close();
        QCOMPARE(second, 1);
        QTest::qWait(0);
        QCOMPARE(first, 1);
        QVERIFY(!SupportManager::shared().retainedWindow());

        // From the menu: no closure at all.
        SupportManager::shared().showSupportWindow();
        SupportManager::shared().retainedWindow()->close();
    }

    void supportTextsFollowTheLanguageButNotTheTitle()
    {
        SupportManager::shared().showSupportWindow();
        QWidget *window = SupportManager::shared().retainedWindow();
        const QString englishTitle = window->windowTitle();
        LanguageManager::shared().setCurrent(AppLanguage::russian);
        QCOMPARE(window->windowTitle(), englishTitle);
        QCOMPARE(
            window->findChild<QAbstractButton *>(u"tipButton"_s)->text(), AppText::leaveATip());
        QVERIFY(window->findChild<QTextBrowser *>(u"supportText"_s)
                    ->toPlainText()
                    .startsWith(AppText::supportText().section(u'\n', 0, 0)));
    }

    void oneLegalWindowPerTextInTheLanguageOfItsOpening()
    {
        LegalWindowManager &legal = LegalWindowManager::shared();
        legal.showLicense();
        QPointer<LegalTextView> license = legal.licenseWindow();
        legal.showLicense();
        QCOMPARE(legal.licenseWindow(), license.data());
        QCOMPARE(shownCount(u"licenseWindow"_s), 1);
        legal.showPrivacyPolicy();
        QCOMPARE(shownCount(u"privacyWindow"_s), 1);
        QCOMPARE(legal.privacyWindow()->windowTitle(), AppText::privacyPolicyTitle());

        const QString englishText = AppText::licenseAgreementText();
        LanguageManager::shared().setCurrent(AppLanguage::russian);
        QCOMPARE(license->windowTitle(), u"License Agreement"_s);
        QCOMPARE(license->content(), englishText);
        // Closed and opened again: the text of the new language.
        license->close();
        QTRY_VERIFY(!license);
        legal.showLicense();
        QCOMPARE(legal.licenseWindow()->windowTitle(), AppText::licenseAgreementTitle());
        QCOMPARE(legal.licenseWindow()->content(), AppText::licenseAgreementText());
        QVERIFY(AppText::licenseAgreementText() != englishText);
    }

    void links_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("links");
        QTest::newRow("followed by a blank")
            << u"See https://example.org/a b"_s << QStringList { u"https://example.org/a"_s };
        QTest::newRow("at the very end")
            << u"Write to http://example.org"_s << QStringList { u"http://example.org"_s };
        QTest::newRow("up to a line break")
            << u"http://a.example/x\nnext"_s << QStringList { u"http://a.example/x"_s };
        QTest::newRow("two") << u"https://a.example and https://b.example/p?q=1"_s
                             << QStringList { u"https://a.example"_s,
                                    u"https://b.example/p?q=1"_s };
        QTest::newRow("no host is no address") << u"http:// https://[x"_s << QStringList {};
        QTest::newRow("other schemes stay text")
            << u"ftp://example.org www.example.org"_s << QStringList {};
    }
    void links()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, links);
        QStringList found;
        for (const TextLink &link : findLinks(text)) {
            QCOMPARE(link.url.toString(), text.mid(link.start, link.length));
            found.append(link.url.toString());
        }
        QCOMPARE(found, links);
    }

    // Every open window takes the new colours at once, side windows included.
    void themeSwitchRecolorsOpenWindows()
    {
        AppTheme::follow();
        SupportManager::shared().showSupportWindow();
        LegalWindowManager::shared().showLicense();
        QWidget *legal = LegalWindowManager::shared().licenseWindow();
        for (const bool dark : { false, true }) {
            LanguageManager::shared().setIsDark(dark);
            QCoreApplication::processEvents();
            QCOMPARE(SupportManager::shared().retainedWindow()->palette().color(QPalette::Window),
                Palette::panel());
            QCOMPARE(legal->palette().color(QPalette::Window), Palette::panel());
            const QImage image = legal->grab().toImage();
            QCOMPARE(image.pixelColor(2, 2).rgb(), Palette::panel().rgb());
        }
    }
};

QTEST_MAIN(SideWindowsTest)
#include "tst_sidewindows.moc"
