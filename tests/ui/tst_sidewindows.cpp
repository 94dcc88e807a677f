#include "UiProbe.h"
#include "model/LanguageManager.h"
#include "ui/LegalTextView.h"
#include "ui/LegalWindowManager.h"
#include "ui/LinkedText.h"
#include "ui/SupportManager.h"

#include <QTextBrowser>

using namespace Qt::StringLiterals;

class SideWindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { LanguageManager::shared().setCurrent(AppLanguage::english); }
    void cleanup()
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            window->close();
        QTest::qWait(0);
    }

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

    // The texts follow the language; the title stays as it opened.
    void supportTextsFollowTheLanguageButNotTheTitle()
    {
        SupportManager::shared().showSupportWindow();
        QWidget *window = SupportManager::shared().retainedWindow();
        const QString title = window->windowTitle();
        const QString tip = window->findChild<QAbstractButton *>(u"tipButton"_s)->text();
        LanguageManager::shared().setCurrent(AppLanguage::russian);
        QCOMPARE(window->windowTitle(), title);
        QVERIFY(window->findChild<QAbstractButton *>(u"tipButton"_s)->text() != tip);
    }

    void oneLegalWindowPerTextInTheLanguageOfItsOpening()
    {
        LegalWindowManager &legal = LegalWindowManager::shared();
        legal.showLicense();
        QPointer<LegalTextView> license = legal.licenseWindow();
        legal.showLicense();
        QCOMPARE(legal.licenseWindow(), license.data());
        QCOMPARE(shownCount(u"licenseWindow"_s), 1);

        const QString englishText = license->content();
        LanguageManager::shared().setCurrent(AppLanguage::russian);
        QCOMPARE(license->content(), englishText);
        // Closed and opened again: the text of the new language.
        license->close();
        QTRY_VERIFY(!license);
        legal.showLicense();
        QVERIFY(legal.licenseWindow()->content() != englishText);
    }

    void links_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("links");
        QTest::newRow("followed by a blank")
            << u"See https://example.org/a b"_s << QStringList { u"https://example.org/a"_s };
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
};

QTEST_MAIN(SideWindowsTest)
#include "tst_sidewindows.moc"
