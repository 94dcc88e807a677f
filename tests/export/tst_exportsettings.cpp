#include "export/ExportNames.h"
#include "export/ExportSettings.h"

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

    void storeRoundTrip()
    {
        const Columns columns { ExportColumn::type, ExportColumn::action };
        ExportSettings::storeSelectedColumns(QSet<ExportColumn>(columns.begin(), columns.end()));
        QSettings().sync();
        QCOMPARE(ExportSettings::fromUserDefaults().orderedColumns(), columns);
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
        QTest::newRow("only slashes") << u"///"_qs << u"Untitled"_qs;
        QTest::newRow("control characters") << u"Show\u0007\n1\t"_qs << u"Show1"_qs;
        QTest::newRow("non-character and lone surrogate")
            << (u"A"_qs + QChar(0xFFFE) + QChar(0xD800) + u"B"_qs) << u"AB"_qs;
        QTest::newRow("cyrillic kept") << u"Спектакль: акт 1"_qs << u"Спектакль акт 1"_qs;
        // 101 flags of two surrogate pairs each: 100 whole flags are kept.
        QTest::newRow("characters, not units")
            << QString(u"🇷🇺"_qs).repeated(101) << QString(u"🇷🇺"_qs).repeated(100);
        // Qt's grapheme finder reports boundaries inside emoji after Devanagari.
        QTest::newRow("emoji after Devanagari")
            << (u"क"_qs + u"😀"_qs.repeated(120)) << (u"क"_qs + u"😀"_qs.repeated(99));
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
        QTest::newRow("control characters") << u"Act\u0001\t1\n"_qs << u"Act1"_qs;
        QTest::newRow("xml forbidden")
            << (u"A"_qs + QChar(0xFFFF) + QChar(0xDC00) + u"B"_qs) << u"AB"_qs;
        QTest::newRow("apostrophes at the ends") << u"' 'Act 1' '"_qs << u"Act 1"_qs;
        QTest::newRow("apostrophe inside kept") << u"Don't"_qs << u"Don't"_qs;
        QTest::newRow("many apostrophes and blanks around")
            << (u"' "_qs.repeated(5000) + u"A 'b' c"_qs + u" '\u3000"_qs.repeated(5000))
            << u"A 'b' c"_qs;
        QTest::newRow("cut exposes an apostrophe")
            << (QString(30, u'a') + u"'bc"_qs) << QString(30, u'a');
        // A surrogate pair across the 31st unit is not split.
        QTest::newRow("cut between characters")
            << (QString(30, u'a') + u"😀b"_qs) << QString(30, u'a');
        QTest::newRow("cyrillic 32") << QString(32, u'ж') << QString(31, u'ж');
        QTest::newRow("emoji after Devanagari")
            << (u"कक"_qs + u"😀"_qs.repeated(20)) << (u"कक"_qs + u"😀"_qs.repeated(14));
    }
    void sheetNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(sanitizedSheetName(name), expected);
    }
};

QTEST_GUILESS_MAIN(TestExportSettings)
#include "tst_exportsettings.moc"
