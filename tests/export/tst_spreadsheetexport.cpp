#include "TestSupport.h"
#include "WorkbookProbe.h"

#include "export/ExportNames.h"
#include "export/SpreadsheetExport.h"

#include <QTest>

class TestSpreadsheetExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QCoreApplication::setApplicationVersion(u"2.1"_qs); }

    void sheetsAndFileName_data()
    {
        QTest::addColumn<QStringList>("lists");
        QTest::addColumn<int>("selected"); // -1: no list selected
        QTest::addColumn<bool>("split");
        QTest::addColumn<bool>("versionInfo");
        QTest::addColumn<QStringList>("sheets");
        QTest::addColumn<QString>("fileName");
        const QStringList two { u"Act 1"_qs, u"Act 2"_qs };
        QTest::newRow("two lists split, with info")
            << two << 0 << true << true << QStringList { u"Act 1"_qs, u"Act 2"_qs, u"Info"_qs }
            << u"Show 1 Marrowlark.xlsx"_qs;
        QTest::newRow("two lists not split")
            << two << 1 << false << true << QStringList { u"Act 2"_qs } << u"Act 2.xlsx"_qs;
        QTest::newRow("no list selected") << QStringList { u"Act 1"_qs } << -1 << true << true
                                          << QStringList { u"Show 1"_qs } << u"Show 1.xlsx"_qs;
        QTest::newRow("unnamed lists and a list called Info")
            << QStringList { u"Act 1"_qs, u""_qs, u"info"_qs } << 0 << true << true
            << QStringList { u"Act 1"_qs, u"Cue List 2"_qs, u"info"_qs, u"Info 2"_qs }
            << u"Show 1 Marrowlark.xlsx"_qs;
        QTest::newRow("list names a sheet cannot carry")
            << QStringList { u"'Акт [1]: сцена?'"_qs, u"АКТ 1 СЦЕНА"_qs, QString(40, u'ж') } << 0
            << true << false
            << QStringList { u"Акт 1 сцена"_qs, u"АКТ 1 СЦЕНА 2"_qs, QString(31, u'ж') }
            << u"Show 1 Marrowlark.xlsx"_qs;
    }
    void sheetsAndFileName()
    {
        QFETCH(QStringList, lists);
        QFETCH(int, selected);
        QFETCH(bool, split);
        QFETCH(bool, versionInfo);
        QFETCH(QStringList, sheets);
        QFETCH(QString, fileName);
        QList<std::pair<QString, QList<QLabCue>>> cueLists;
        for (const QString &name : lists)
            cueLists.append({ name, { makeCue(CueType::audio, u"1"_qs, name) } });
        // The project name is cleaned for the file but kept for the sheet.
        const QLabProject show
            = makeProject(lists.size() >= 2 ? u"Show: 1"_qs : u"Show 1"_qs, cueLists);
        ExportSettings settings;
        settings.format = ExportFormat::excel;
        settings.splitCueLists = split;
        settings.addVersionInfo = versionInfo;
        const QLabCueList *list = selected >= 0 ? &show.cueLists[selected] : nullptr;
        const auto workbook = SpreadsheetExport::workbook(
            settings, show, list, list ? list->cues : QList<QLabCue>());
        QVERIFY(workbook);
        QCOMPARE(workbook->suggestedFileName, fileName);
        WorkbookProbe probe;
        QCOMPARE(probe.read(*workbook->writer.build()), QString());
        QCOMPARE(probe.sheetNames(), sheets);
    }

    void noColumnSelected()
    {
        ExportSettings settings;
        settings.selectedColumns.clear();
        const QLabProject show = makeProject(u"Show"_qs, { { u"A"_qs, {} }, { u"B"_qs, {} } });
        QVERIFY(!SpreadsheetExport::workbook(settings, show, nullptr, {}));
        QVERIFY(!SpreadsheetExport::allListsWorkbook(settings, show));
    }

    // Header, one row per top-level cue with the placeholder in empty cells, a blank row and the
    // version line outside the table.
    void sheetLayout()
    {
        useLanguage(AppLanguage::english);
        QLabCue audio = makeCue(CueType::audio, u"1"_qs, u"Песня"_qs, u"Audio song.wav"_qs,
            u"Воспроизводится «Песня»"_qs);
        audio.trigger = u"GO"_qs;
        QLabCue group = makeCue(CueType::group, u"2"_qs, u"Scene"_qs);
        group.fullTypeName = u"Group (Timeline)"_qs;
        group.children = { makeCue(CueType::audio, u"2.1"_qs, u"child"_qs) };
        XLSXWriter writer;
        const int sheet = writer.addSheet(u"Act"_qs);
        SpreadsheetExport::buildSheetRows(
            writer, sheet, { audio, group }, ExportSettings().orderedColumns(), true, true);
        WorkbookProbe probe;
        QCOMPARE(probe.read(*writer.build()), QString());

        const QJsonArray rows = probe.rows(0);
        QCOMPARE(rows.size(), 5);
        const QStringList expectedValues[] = {
            { u""_qs, u"Audio"_qs, u"1"_qs, u"Песня"_qs, u"Audio song.wav"_qs,
                u"Воспроизводится «Песня»"_qs, u"GO"_qs },
            { u""_qs, u"Group (Timeline)"_qs, u"2"_qs, u"Scene"_qs, u"—"_qs, u"—"_qs, u"—"_qs },
        };
        for (int i = 0; i < 2; ++i) {
            const QJsonArray row = rows[i + 1].toArray();
            QCOMPARE(row.size(), 7);
            for (int c = 0; c < 7; ++c)
                QCOMPARE(row[c][u"value"].toString(), expectedValues[i][c]);
            QCOMPARE(row[2][u"bold"].toBool(), i == 1); // a group's number and name are bold
        }
        QVERIFY(rows[3].toArray().isEmpty());
        const QJsonArray versionRow = rows[4].toArray();
        QCOMPARE(versionRow[1][u"value"].toString(),
            u"Generated by Marrowlark 2.1 · "_qs + makerWebsite());
        QVERIFY(!versionRow[1][u"border"].toBool());
    }

    void infoSheet()
    {
        const QLabProject show = makeProject(u"Show"_qs, { { u"A"_qs, {} }, { u"B"_qs, {} } });
        const QDateTime when(QDate(2026, 3, 7), QTime(9, 5));
        const auto workbook = SpreadsheetExport::allListsWorkbook(ExportSettings(), show, when);
        QVERIFY(workbook);
        WorkbookProbe probe;
        QCOMPARE(probe.read(*workbook->writer.build()), QString());
        QCOMPARE(probe.sheetNames().size(), 3);
        // The date is written as the user reads it, not as a number a locale may change.
        const QJsonArray rows = probe.rows(2);
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[2][1][u"value"].toString(), u"07.03.2026 09:05"_qs);
    }
};

QTEST_GUILESS_MAIN(TestSpreadsheetExport)
#include "tst_spreadsheetexport.moc"
