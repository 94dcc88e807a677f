#include "export/ExportNames.h"
#include "export/ExportSettings.h"

#include <QSettings>
#include <QTest>

using Columns = QList<ExportColumn>;

class TestExportSettings : public QObject
{
    Q_OBJECT

private slots:
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
        QTest::newRow("a number beside texts") << list({ u"name"_qs, 3, u"action"_qs }) << all;
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
    }

    void storeRoundTrip()
    {
        const Columns columns { ExportColumn::type, ExportColumn::action };
        ExportSettings::storeSelectedColumns(QSet<ExportColumn>(columns.begin(), columns.end()));
        QSettings().sync();
        QCOMPARE(ExportSettings::fromUserDefaults().orderedColumns(), columns);
    }

    void fileNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("control characters") << u"Show\u0007\n1\t"_qs << u"Show1"_qs;
        QTest::newRow("non-character and lone surrogate")
            << (u"A"_qs + QChar(0xFFFE) + QChar(0xD800) + u"B"_qs) << u"AB"_qs;
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
        QTest::newRow("control characters") << u"Act\u0001\t1\n"_qs << u"Act1"_qs;
        QTest::newRow("apostrophes at the ends") << u"' 'Act 1' '"_qs << u"Act 1"_qs;
        QTest::newRow("many apostrophes and blanks around")
            << (u"' "_qs.repeated(5000) + u"A 'b' c"_qs + u" '\u3000"_qs.repeated(5000))
            << u"A 'b' c"_qs;
        QTest::newRow("cut exposes an apostrophe")
            << (QString(30, u'a') + u"'bc"_qs) << QString(30, u'a');
        // A surrogate pair across the 31st unit is not split.
        QTest::newRow("cut between characters")
            << (QString(30, u'a') + u"😀b"_qs) << QString(30, u'a');
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
