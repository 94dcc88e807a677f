#include "export/ExportNames.h"
#include "export/ExportSettings.h"
#include "model/LanguageManager.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using Columns = QList<ExportColumn>;

class TestExportSettings : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir settingsDir;

private slots:
    void initTestCase()
    {
        QVERIFY(settingsDir.isValid());
        QCoreApplication::setOrganizationName(QStringLiteral("zaveraverorade"));
        QCoreApplication::setApplicationName(QStringLiteral("Marrowlark"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    }

    void storedColumns_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<Columns>("expected");
        const Columns all { ExportColumn::type, ExportColumn::number, ExportColumn::name,
            ExportColumn::action, ExportColumn::description, ExportColumn::trigger };
        const auto list = [](std::initializer_list<QVariant> elements) {
            return QVariant(QVariantList(elements));
        };
        QTest::newRow("nothing stored") << QVariant() << all;
        QTest::newRow("unknown text skipped, order from the table")
            << list({ u"trigger"_qs, u"colour"_qs, u"name"_qs })
            << Columns { ExportColumn::name, ExportColumn::trigger };
        QTest::newRow("empty array") << list({}) << all;
        QTest::newRow("only unknown texts") << list({ u"Type"_qs, u""_qs }) << all;
        QTest::newRow("a number beside texts") << list({ u"name"_qs, 3, u"action"_qs }) << all;
        QTest::newRow("not an array") << QVariant(42) << all;
        QTest::newRow("string list") << QVariant(QStringList { u"description"_qs, u"type"_qs })
                                     << Columns { ExportColumn::type, ExportColumn::description };
        // What the settings file gives back for a list of one text.
        QTest::newRow("single text") << QVariant(u"number"_qs) << Columns { ExportColumn::number };
    }
    void storedColumns()
    {
        QFETCH(QVariant, stored);
        QFETCH(Columns, expected);
        QSettings settings;
        if (stored.isValid())
            settings.setValue(u"exportSelectedColumns"_qs, stored);
        else
            settings.remove(u"exportSelectedColumns"_qs);
        const ExportSettings exportSettings = ExportSettings::fromUserDefaults();
        QCOMPARE(exportSettings.orderedColumns(), expected);
        QCOMPARE(exportSettings.format, ExportFormat::pdf);
        QVERIFY(exportSettings.preserveColors && exportSettings.addVersionInfo
            && exportSettings.splitCueLists);
    }

    void storeRoundTrip_data()
    {
        QTest::addColumn<Columns>("columns");
        QTest::newRow("one") << Columns { ExportColumn::trigger };
        QTest::newRow("two") << Columns { ExportColumn::type, ExportColumn::action };
    }
    void storeRoundTrip()
    {
        QFETCH(Columns, columns);
        ExportSettings::storeSelectedColumns(QSet<ExportColumn>(columns.begin(), columns.end()));
        QSettings().sync();
        QCOMPARE(ExportSettings::fromUserDefaults().orderedColumns(), columns);
    }

    void noColumnSelected()
    {
        ExportSettings settings;
        settings.selectedColumns.clear();
        QVERIFY(settings.orderedColumns().isEmpty());
    }

    void rawValues()
    {
        for (ExportColumn column : allExportColumns())
            QCOMPARE(exportColumnFromRawValue(rawValue(column)), column);
        QCOMPARE(exportColumnFromRawValue(u"Name"), std::nullopt);
        QCOMPARE(rawValue(ExportFormat::excel), u"Excel (.xlsx)"_qs);
        QCOMPARE(rawValue(ExportFormat::pdf), u"PDF"_qs);
    }

    void titles_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("en") << AppLanguage::english
                            << QStringList { u"Type"_qs, u"#"_qs, u"Name"_qs, u"Action"_qs,
                                   u"Description"_qs, u"Trigger"_qs };
        QTest::newRow("ru") << AppLanguage::russian
                            << QStringList { u"Тип"_qs, u"№"_qs, u"Имя"_qs, u"Действие"_qs,
                                   u"Описание"_qs, u"Триггер"_qs };
    }
    void titles()
    {
        QFETCH(AppLanguage, language);
        QFETCH(QStringList, titles);
        LanguageManager::shared().setCurrent(language);
        QStringList actual;
        for (ExportColumn column : allExportColumns())
            actual.append(exportColumnTitle(column));
        QCOMPARE(actual, titles);
    }

    void cellValues_data()
    {
        // type, full type name (absent when invalid), number, name, action, notes, trigger
        QTest::addColumn<CueType>("type");
        QTest::addColumn<QVariant>("fullTypeName");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("empty fields")
            << CueType::audio << QVariant() << QStringList(5)
            << QStringList { u"Audio"_qs, u""_qs, u"—"_qs, u"—"_qs, u"—"_qs, u"—"_qs };
        const QStringList full { u"12"_qs, u"  "_qs, u"Fade → Cue 3"_qs, u"Фейд за 5 сек"_qs,
            u"GO"_qs };
        QTest::newRow("present but empty type name, blank name kept")
            << CueType::fade << QVariant(u""_qs) << full
            << QStringList { u""_qs, u"12"_qs, u"  "_qs, u"Fade → Cue 3"_qs, u"Фейд за 5 сек"_qs,
                   u"GO"_qs };
        QTest::newRow("full type name")
            << CueType::audio << QVariant(u"Audio (Stereo)"_qs) << QStringList(5)
            << QStringList { u"Audio (Stereo)"_qs, u""_qs, u"—"_qs, u"—"_qs, u"—"_qs, u"—"_qs };
    }
    void cellValues()
    {
        QFETCH(CueType, type);
        QFETCH(QVariant, fullTypeName);
        QFETCH(QStringList, fields);
        QFETCH(QStringList, values);
        QLabCue cue;
        cue.type = type;
        if (fullTypeName.isValid())
            cue.fullTypeName = fullTypeName.toString();
        cue.number = fields[0];
        cue.name = fields[1];
        cue.action = fields[2];
        cue.notes = fields[3];
        cue.trigger = fields[4];
        QStringList actual;
        for (ExportColumn column : allExportColumns())
            actual.append(exportColumnValue(column, cue));
        QCOMPARE(actual, values);
    }

    void fileNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("separators and blanks") << u"  a/b:  "_qs << u"ab"_qs;
        QTest::newRow("backslash") << u"Act\\1"_qs << u"Act1"_qs;
        QTest::newRow("only slashes") << u"///"_qs << u"Untitled"_qs;
        QTest::newRow("empty") << u""_qs << u"Untitled"_qs;
        QTest::newRow("control characters") << u"Show\u0007\n1\t"_qs << u"Show1"_qs;
        QTest::newRow("non-character and lone surrogate")
            << (u"A"_qs + QChar(0xFFFE) + QChar(0xD800) + u"B"_qs) << u"AB"_qs;
        QTest::newRow("150 characters") << QString(150, u'x') << QString(100, u'x');
        QTest::newRow("cyrillic kept") << u"Спектакль: акт 1"_qs << u"Спектакль акт 1"_qs;
        // 101 flags of two surrogate pairs each: 100 whole flags are kept.
        QTest::newRow("characters, not units")
            << QString(u"🇷🇺"_qs).repeated(101) << QString(u"🇷🇺"_qs).repeated(100);
    }
    void fileNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(sanitizedFileName(name), expected);
    }

    void sheetNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("brackets colon question") << u" [Act] 1: why? "_qs << u"Act 1 why"_qs;
        QTest::newRow("only forbidden") << u"*?"_qs << u"Sheet"_qs;
        QTest::newRow("31 stays") << QString(31, u'a') << QString(31, u'a');
        QTest::newRow("32 cut") << QString(32, u'a') << QString(31, u'a');
        QTest::newRow("control characters") << u"Act\u0001\t1\n"_qs << u"Act1"_qs;
        QTest::newRow("xml forbidden")
            << (u"A"_qs + QChar(0xFFFF) + QChar(0xDC00) + u"B"_qs) << u"AB"_qs;
        QTest::newRow("apostrophes at the ends") << u"' 'Act 1' '"_qs << u"Act 1"_qs;
        QTest::newRow("apostrophe inside kept") << u"Don't"_qs << u"Don't"_qs;
        QTest::newRow("many apostrophes and blanks around")
            << (u"' "_qs.repeated(5000) + u"A 'b' c"_qs + u" '\u3000"_qs.repeated(5000))
            << u"A 'b' c"_qs;
        QTest::newRow("only apostrophes") << u"'''"_qs << u"Sheet"_qs;
        QTest::newRow("cut exposes an apostrophe")
            << (QString(30, u'a') + u"'bc"_qs) << QString(30, u'a');
        // A surrogate pair across the 31st unit is not split.
        QTest::newRow("cut between characters")
            << (QString(30, u'a') + u"😀b"_qs) << QString(30, u'a');
        QTest::newRow("cyrillic 32") << QString(32, u'ж') << QString(31, u'ж');
    }
    void sheetNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(sanitizedSheetName(name), expected);
    }

    void uniqueNames_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("counting") << QStringList { u"A"_qs, u"B"_qs, u"A"_qs, u"A"_qs }
                                  << QStringList { u"A"_qs, u"B"_qs, u"A 2"_qs, u"A 3"_qs };
        QTest::newRow("letter case") << QStringList { u"Act"_qs, u"ACT"_qs, u"акт"_qs,
            u"АКТ"_qs } << QStringList { u"Act"_qs, u"ACT 2"_qs, u"акт"_qs, u"АКТ 2"_qs };
        QTest::newRow("suffix already taken") << QStringList { u"A 2"_qs, u"A"_qs, u"A"_qs,
            u"a 3"_qs } << QStringList { u"A 2"_qs, u"A"_qs, u"A 3"_qs, u"a 3 2"_qs };
        QTest::newRow("stays within 31") << QStringList { QString(31, u'x'),
            QString(31, u'x') } << QStringList { QString(31, u'x'), QString(29, u'x') + u" 2"_qs };
        QTest::newRow("shortened name taken too")
            << QStringList { QString(29, u'x') + u" 2"_qs, QString(31, u'x'), QString(31, u'x') }
            << QStringList { QString(29, u'x') + u" 2"_qs, QString(31, u'x'),
                   QString(29, u'x') + u" 3"_qs };
    }
    void uniqueNames()
    {
        QFETCH(QStringList, names);
        QFETCH(QStringList, expected);
        QCOMPARE(uniquedNames(names), expected);
    }

    void versionString()
    {
        QCoreApplication::setApplicationVersion(QString());
        QCOMPARE(appVersionString(), u"1.0"_qs);
        QCoreApplication::setApplicationVersion(u"2.4.1"_qs);
        QCOMPARE(appVersionString(), u"2.4.1"_qs);
    }
};

QTEST_GUILESS_MAIN(TestExportSettings)
#include "tst_exportsettings.moc"
