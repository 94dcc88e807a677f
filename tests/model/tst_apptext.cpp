#include "model/AppText.h"
#include "model/LanguageManager.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

using TextFunction = std::function<QString()>;
Q_DECLARE_METATYPE(TextFunction)

class TestAppText : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void texts_data();
    void texts();
    void importListCount_data();
    void importListCount();
    void longTexts_data();
    void longTexts();

private:
    QTemporaryDir m_settingsDir;
};

void TestAppText::initTestCase()
{
    QVERIFY(m_settingsDir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, m_settingsDir.path());
    QCoreApplication::setOrganizationName(u"marrowlark-tests"_s);
    QCoreApplication::setApplicationName(u"tst_apptext"_s);
}

void TestAppText::texts_data()
{
    QTest::addColumn<TextFunction>("text");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("russian");

    QTest::newRow("cancelButton") << TextFunction(&AppText::cancelButton) << u"Cancel"_s
                                  << u"Отмена"_s;
    QTest::newRow("writeBackSummary")
        << TextFunction([] { return AppText::writeBackSummary(12, 0, 1234567); })
        << u"Written: 12\nErrors: 0\nTotal: 1234567"_s
        << u"Записано: 12\nОшибок: 0\nВсего: 1234567"_s;
    QTest::newRow("levelDecibels negative")
        << TextFunction([] { return AppText::levelDecibels(-12); }) << u"(level -12 dB)"_s
        << u"(уровень -12 dB)"_s;
    QTest::newRow("cueCount no grouping") << TextFunction([] { return AppText::cueCount(50000); })
                                          << u"50000 cues"_s << u"50000 cues"_s;
    QTest::newRow("thenNextCue") << TextFunction([] { return AppText::thenNextCue(u"1"_s); })
                                 << u"then after 1 sec — next Cue"_s
                                 << u"после — через 1 сек следующий Cue"_s;
    QTest::newRow("exportedWorkbook")
        << TextFunction([] { return AppText::exportedWorkbook(u"show.xlsx"_s, 2); })
        << u"Exported to show.xlsx (2 sheets)"_s << u"Экспортировано в show.xlsx (2 листов)"_s;
}

void TestAppText::texts()
{
    QFETCH(TextFunction, text);
    QFETCH(QString, english);
    QFETCH(QString, russian);

    LanguageManager::shared().setCurrent(AppLanguage::english);
    QCOMPARE(text(), english);
    LanguageManager::shared().setCurrent(AppLanguage::russian);
    QCOMPARE(text(), russian);
}

void TestAppText::importListCount_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("russian");

    const auto row = [](int count, const char *englishWord, const char *russianWord) {
        QTest::addRow("%d", count) << count
                                   << u"Import "_s + QString::number(count) + QLatin1Char(' ')
                + QString::fromUtf8(englishWord)
                                   << u"Импорт "_s + QString::number(count) + QLatin1Char(' ')
                + QString::fromUtf8(russianWord);
    };
    row(0, "lists", "списков");
    row(1, "list", "список");
    row(2, "lists", "списка");
    row(11, "lists", "списков");
    row(12, "lists", "списков");
    row(21, "lists", "список");
    row(22, "lists", "списка");
    row(111, "lists", "списков");
    row(-2, "lists", "списка");
}

void TestAppText::importListCount()
{
    QFETCH(int, count);
    QFETCH(QString, english);
    QFETCH(QString, russian);

    LanguageManager::shared().setCurrent(AppLanguage::english);
    QCOMPARE(AppText::importListCount(count), english);
    LanguageManager::shared().setCurrent(AppLanguage::russian);
    QCOMPARE(AppText::importListCount(count), russian);
}

void TestAppText::longTexts_data()
{
    QTest::addColumn<TextFunction>("text");
    QTest::addColumn<AppLanguage>("language");
    QTest::addColumn<int>("sections");

    for (const AppLanguage language : { AppLanguage::english, AppLanguage::russian }) {
        const QString suffix = rawValue(language);
        QTest::addRow("licence %s", qPrintable(suffix))
            << TextFunction(&AppText::licenseAgreementText) << language << 9;
        QTest::addRow("privacy %s", qPrintable(suffix))
            << TextFunction(&AppText::privacyPolicyText) << language << 8;
        QTest::addRow("support %s", qPrintable(suffix))
            << TextFunction(&AppText::supportText) << language << 0;
    }
}

// The legal windows rely on this layout: heading, application, developer and date lines, then
// the numbered sections in order; every web address runs up to white space or the end.
void TestAppText::longTexts()
{
    QFETCH(TextFunction, text);
    QFETCH(AppLanguage, language);
    QFETCH(int, sections);

    LanguageManager::shared().setCurrent(language);
    const QString content = text();
    QVERIFY(!content.isEmpty());
    QVERIFY(!content.endsWith(QLatin1Char('\n')));
    const bool english = language == AppLanguage::english;

    if (sections == 0) {
        const QStringList paragraphs = content.split(u"\n\n"_s);
        QCOMPARE(paragraphs.size(), 2);
        QCOMPARE(paragraphs.first(),
            english ? u"Marrowlark is a free application.\nIf it helped you save time or "
                      u"proved useful in your work, you can leave a tip for the author and "
                      u"support further development."_s
                    : u"Marrowlark — бесплатное приложение.\nЕсли оно помогло вам "
                      u"сэкономить время или оказалось полезным в работе, вы можете "
                      u"оставить автору чаевые и поддержать дальнейшую разработку."_s);
        return;
    }

    const QStringList lines = content.split(QLatin1Char('\n'));
    QVERIFY(lines.size() > 4);
    QVERIFY(lines.at(1).contains(u"Marrowlark"_s));
    QVERIFY(lines.at(2).contains(u"Halbrecht Tools"_s));
    QVERIFY(lines.at(3).contains(u"2026"_s));
    QCOMPARE(lines.at(4), QString());

    static const QRegularExpression sectionPattern(
        u"^(\\d+)\\. \\S"_s, QRegularExpression::UseUnicodePropertiesOption);
    QList<int> numbers;
    for (const QString &line : lines) {
        const QRegularExpressionMatch match = sectionPattern.match(line);
        if (match.hasMatch())
            numbers.append(match.captured(1).toInt());
    }
    QList<int> expected;
    for (int number = 1; number <= sections; ++number)
        expected.append(number);
    QCOMPARE(numbers, expected);

    static const QRegularExpression linkPattern(
        u"https?://[^\\s]+"_s, QRegularExpression::UseUnicodePropertiesOption);
    for (const QRegularExpressionMatch &match : linkPattern.globalMatch(content)) {
        const QUrl url(match.captured(), QUrl::StrictMode);
        QVERIFY2(
            url.isValid() && url.host() == u"marrowlark.example"_s, qPrintable(match.captured()));
        QVERIFY2(match.captured().back().isLetterOrNumber() || match.captured().endsWith(u'/'),
            qPrintable(match.captured()));
    }
    if (sections == 8)
        QVERIFY(lines.last().contains(u"https://marrowlark.example/privacy"_s));
}

QTEST_GUILESS_MAIN(TestAppText)
#include "tst_apptext.moc"
