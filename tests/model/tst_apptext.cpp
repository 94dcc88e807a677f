#include "TestSupport.h"
#include "model/AppText.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

class TestAppText : public QObject
{
    Q_OBJECT

private slots:
    void russianPluralForms_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("word");
        QTest::newRow("1") << 1 << u"список"_s;
        QTest::newRow("2") << 2 << u"списка"_s;
        QTest::newRow("11") << 11 << u"списков"_s;
        QTest::newRow("21") << 21 << u"список"_s;
        QTest::newRow("112") << 112 << u"списков"_s;
        QTest::newRow("-2") << -2 << u"списка"_s;
    }
    void russianPluralForms()
    {
        QFETCH(int, count);
        useLanguage(AppLanguage::russian);
        QTEST(AppText::importListCount(count).section(u' ', 2), "word");
        useLanguage(AppLanguage::english);
        QCOMPARE(AppText::importListCount(count).endsWith(u"lists"_s), count != 1);
    }

    // Arguments are put in one pass: a name that holds "%2" is not filled in again.
    void argumentsAreNotReplacedTwice()
    {
        useLanguage(AppLanguage::english);
        QVERIFY(AppText::exportedWorkbook(u"a%2.xlsx"_s, 3).contains(u"a%2.xlsx"_s));
    }

    // The legal windows number the sections and link every web address up to white space.
    void longTexts()
    {
        for (const AppLanguage language : { AppLanguage::english, AppLanguage::russian }) {
            useLanguage(language);
            QVERIFY(!AppText::supportText().isEmpty());
            for (const auto &[content, sections] : { std::pair(AppText::licenseAgreementText(), 9),
                     std::pair(AppText::privacyPolicyText(), 8) }) {
                QVERIFY(!content.endsWith(u'\n'));
                static const QRegularExpression sectionPattern(
                    u"^(\\d+)\\. \\S"_s, QRegularExpression::MultilineOption);
                int expected = 0;
                for (const QRegularExpressionMatch &match : sectionPattern.globalMatch(content))
                    QCOMPARE(match.captured(1).toInt(), ++expected);
                QCOMPARE(expected, sections);
                static const QRegularExpression linkPattern(u"https?://\\S+"_s);
                for (const QRegularExpressionMatch &match : linkPattern.globalMatch(content)) {
                    const QString link = match.captured();
                    QVERIFY2(QUrl(link, QUrl::StrictMode).isValid()
                            && (link.back().isLetterOrNumber() || link.endsWith(u'/')),
                        qPrintable(link));
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestAppText)
#include "tst_apptext.moc"
