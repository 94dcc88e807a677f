#include "ExportCues.h"
#include "WorkbookProbe.h"

#include "export/ExportNames.h"
#include "export/SpreadsheetExport.h"
#include "model/LanguageManager.h"

#include <QTest>

using Run = XLSXWriter::RichTextRun;

namespace {

// Runs as "{flags colour size}text": b bold, i italic; an unstyled run is "{}text".
QString describe(const QList<Run> &runs)
{
    QString text;
    for (const Run &run : runs) {
        QStringList style;
        if (run.bold)
            style.append(u"b"_qs);
        if (run.italic)
            style.append(u"i"_qs);
        if (run.colorHex)
            style.append(*run.colorHex);
        if (run.fontSize)
            style.append(QString::number(*run.fontSize));
        text += u'{' + style.join(u' ') + u'}' + run.text;
    }
    return text;
}

QLabCueList cueList(const QString &name, QList<QLabCue> cues = {})
{
    return { QUuid::createUuid(), name, std::move(cues) };
}

QLabProject project(const QString &name, QList<QLabCueList> lists)
{
    QLabProject result;
    result.id = QUuid::createUuid();
    result.name = name;
    result.cueLists = std::move(lists);
    result.formatVersion = u"1.0"_qs;
    return result;
}

} // namespace

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
        QTest::newRow("two lists split, without info")
            << two << 0 << true << false << two << u"Show 1 Marrowlark.xlsx"_qs;
        QTest::newRow("two lists not split")
            << two << 1 << false << true << QStringList { u"Act 2"_qs } << u"Act 2.xlsx"_qs;
        QTest::newRow("one list selected") << QStringList { u"Act 1"_qs } << 0 << true << true
                                           << QStringList { u"Act 1"_qs } << u"Act 1.xlsx"_qs;
        QTest::newRow("no list selected") << QStringList { u"Act 1"_qs } << -1 << true << true
                                          << QStringList { u"Show 1"_qs } << u"Show 1.xlsx"_qs;
        QTest::newRow("unnamed lists and a list called Info")
            << QStringList { u"Act 1"_qs, u""_qs, u"info"_qs } << 0 << true << true
            << QStringList { u"Act 1"_qs, u"Cue List 2"_qs, u"info"_qs, u"Info 2"_qs }
            << u"Show 1 Marrowlark.xlsx"_qs;
        QTest::newRow("unnamed selected list")
            << QStringList { u""_qs } << 0 << true << true << QStringList { u"Sheet"_qs }
            << u"Untitled.xlsx"_qs;
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
        QList<QLabCueList> cueLists;
        for (const QString &name : lists)
            cueLists.append(cueList(name, { makeCue(CueType::audio, u"1"_qs, name) }));
        // The project name is cleaned for the file but kept for the sheet.
        const QLabProject show
            = project(lists.size() >= 2 ? u"Show: 1"_qs : u"Show 1"_qs, cueLists);
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
        const QLabProject show = project(u"Show"_qs, { cueList(u"A"_qs), cueList(u"B"_qs) });
        QVERIFY(!SpreadsheetExport::workbook(settings, show, nullptr, {}));
        QVERIFY(!SpreadsheetExport::allListsWorkbook(settings, show));
    }

    void sheetLayout_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<bool>("preserveColors");
        QTest::addColumn<QStringList>("header");
        QTest::newRow("en, colours") << AppLanguage::english << true
                                     << QStringList { u""_qs, u"Type"_qs, u"#"_qs, u"Name"_qs,
                                            u"Action"_qs, u"Description"_qs, u"Trigger"_qs };
        QTest::newRow("ru, no colours") << AppLanguage::russian << false
                                        << QStringList { u"Тип"_qs, u"№"_qs, u"Имя"_qs,
                                               u"Действие"_qs, u"Описание"_qs, u"Триггер"_qs };
    }
    void sheetLayout()
    {
        QFETCH(AppLanguage, language);
        QFETCH(bool, preserveColors);
        QFETCH(QStringList, header);
        LanguageManager::shared().setCurrent(language);

        const QLabCue audio = makeCue(CueType::audio, u"1"_qs, u"Песня"_qs, u"Audio song.wav"_qs,
            u"Воспроизводится «Песня»"_qs, u"GO"_qs);
        QLabCue group = makeCue(CueType::group, u"2"_qs, u"Scene"_qs);
        group.fullTypeName = u"Group (Timeline)"_qs;
        group.children = { makeCue(CueType::audio, u"2.1"_qs, u"child"_qs) };
        const QLabCue fade = makeCue(CueType::fade, u""_qs, u""_qs);
        XLSXWriter writer;
        const int sheet = writer.addSheet(u"Act"_qs);
        SpreadsheetExport::buildSheetRows(writer, sheet, { audio, group, fade },
            ExportSettings().orderedColumns(), preserveColors, true);
        WorkbookProbe probe;
        QCOMPARE(probe.read(*writer.build()), QString());

        const int offset = preserveColors ? 1 : 0;
        const QJsonArray rows = probe.rows(0);
        QCOMPARE(rows.size(), 6); // header, three cues (no child rows), blank, version
        QStringList headerTexts;
        for (const QJsonValue &cell : rows[0].toArray()) {
            headerTexts.append(cell[u"value"].toString());
            QVERIFY(cell[u"bold"].toBool());
            QCOMPARE(cell[u"fill"].toString(), u"FFE6E6E6"_qs);
            QVERIFY(cell[u"border"].toBool());
        }
        QCOMPARE(headerTexts, header);

        const QStringList expectedValues[] = {
            { u"Audio"_qs, u"1"_qs, u"Песня"_qs, u"Audio song.wav"_qs,
                u"Воспроизводится «Песня»"_qs, u"GO"_qs },
            { u"Group (Timeline)"_qs, u"2"_qs, u"Scene"_qs, u"—"_qs, u"—"_qs, u"—"_qs },
            { u"Fade"_qs, u""_qs, u"—"_qs, u"—"_qs, u"—"_qs, u"—"_qs },
        };
        const QString typeColors[] = { u"FF4C8CD8"_qs, u"FFBF9E4C"_qs, u"FFD88C3F"_qs };
        for (int i = 0; i < 3; ++i) {
            const QJsonArray row = rows[i + 1].toArray();
            QCOMPARE(row.size(), 6 + offset);
            const QString rowFill = i == 1 ? u"FFF5F5F5"_qs : QString();
            if (preserveColors) {
                QCOMPARE(row[0][u"value"].toString(), QString());
                QCOMPARE(row[0][u"fill"].toString(), typeColors[i]);
            }
            for (int c = 0; c < 6; ++c) {
                const QJsonValue cell = row[c + offset];
                QCOMPARE(cell[u"value"].toString(), expectedValues[i][c]);
                QCOMPARE(cell[u"fill"].toString(), rowFill);
                QVERIFY(cell[u"border"].toBool());
                QVERIFY(cell[u"wrap"].toBool());
            }
            QVERIFY(row[offset][u"bold"].toBool()); // type
            QCOMPARE(row[offset][u"color"].toString(), preserveColors ? typeColors[i] : QString());
            const bool isGroup = i == 1;
            QCOMPARE(row[offset + 1][u"bold"].toBool(), isGroup);
            QCOMPARE(row[offset + 2][u"bold"].toBool(), isGroup);
            QVERIFY(!row[offset + 5][u"bold"].toBool());
        }

        QVERIFY(rows[4].toArray().isEmpty());
        const QJsonArray versionRow = rows[5].toArray();
        QCOMPARE(versionRow.size(), 1 + offset);
        const QJsonValue version = versionRow[offset];
        QCOMPARE(
            version[u"value"].toString(), u"Generated by Marrowlark 2.1 · "_qs + makerWebsite());
        QVERIFY(version[u"italic"].toBool());
        QCOMPARE(version[u"color"].toString(), u"FF999999"_qs);
        QVERIFY(!version[u"border"].toBool());
        if (preserveColors)
            QVERIFY(!versionRow[0][u"border"].toBool());

        QList<double> widths;
        for (const QJsonValue &column : probe.columns(0)) {
            if (!column[u"hidden"].toBool())
                widths.append(column[u"width"].toDouble());
        }
        QList<double> expectedWidths { 14, 10, 28, 45, 35, 20 };
        if (preserveColors)
            expectedWidths.prepend(2);
        QCOMPARE(widths, expectedWidths);
    }

    void infoSheet()
    {
        LanguageManager::shared().setCurrent(AppLanguage::russian);
        const QStringList labels { u"Создано"_qs, u"Версия"_qs, u"Дата экспорта"_qs, u"Сайт"_qs };
        const QLabProject show = project(u"Show"_qs, { cueList(u"A"_qs), cueList(u"B"_qs) });
        const QDateTime when(QDate(2026, 3, 7), QTime(9, 5));
        const auto workbook = SpreadsheetExport::allListsWorkbook(ExportSettings(), show, when);
        QVERIFY(workbook);
        WorkbookProbe probe;
        QCOMPARE(probe.read(*workbook->writer.build()), QString());
        QCOMPARE(probe.sheetNames().size(), 3);
        const QStringList values { u"Marrowlark"_qs, u"2.1"_qs, u"07.03.2026 09:05"_qs,
            makerWebsite() };
        const QJsonArray rows = probe.rows(2);
        QCOMPARE(rows.size(), 4);
        for (int r = 0; r < 4; ++r) {
            const QJsonArray row = rows[r].toArray();
            QCOMPARE(row.size(), 2);
            QCOMPARE(row[0][u"value"].toString(), labels[r]);
            QCOMPARE(row[1][u"value"].toString(), values[r]);
            QVERIFY(row[0][u"bold"].toBool());
            QVERIFY(!row[1][u"bold"].toBool());
            for (const QJsonValue &cell : row) {
                QVERIFY(cell[u"border"].toBool());
                QVERIFY(cell[u"fill"].isNull());
            }
        }
        const QJsonArray columns = probe.columns(2);
        QCOMPARE(columns[0][u"width"].toDouble(), 20.0);
        QCOMPARE(columns[1][u"width"].toDouble(), 30.0);
    }

    void actionRuns_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("preserveColors");
        QTest::addColumn<QString>("runs");
        QTest::newRow("empty") << u""_qs << true << u"{999999}—"_qs;
        QTest::newRow("start, colours")
            << u"Start → Cue 5"_qs << true << u"{b 59A559}Start{} Cue 5"_qs;
        QTest::newRow("start, no colours")
            << u"Start → Cue 5"_qs << false << u"{b}Start → Cue 5"_qs;
        QTest::newRow("prefix without rest") << u"Start →  "_qs << true << u"{b 59A559}Start"_qs;
        QTest::newRow("no prefix") << u"Memo text"_qs << true << u"{b}Memo text"_qs;
        QTest::newRow("parameter line")
            << u"   level: -6 dB"_qs << true << u"{555555 9}   level: -6 dB"_qs;
        QTest::newRow("wait line") << u"pre-wait: 2"_qs << true << u"{0099CC 9}pre-wait: 2"_qs;
        QTest::newRow("hidden lines and their breaks dropped")
            << u"[notes: x]\nAudio песня.wav\n  [notes: y]\n   громкость -3 dB"_qs << true
            << u"{b 4C8CD8}Audio{} песня.wav{}\n{555555 9}   громкость -3 dB"_qs;
        QTest::newRow("only hidden lines") << u"[notes: x]"_qs << true << u""_qs;
    }
    void actionRuns()
    {
        QFETCH(QString, action);
        QFETCH(bool, preserveColors);
        QFETCH(QString, runs);
        QCOMPARE(describe(SpreadsheetExport::actionRuns(
                     makeCue(CueType::group, u"1"_qs, u"n"_qs, action), preserveColors)),
            runs);
    }

    void descriptionRuns_data()
    {
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QString>("runs");
        QTest::newRow("empty") << u""_qs << u"{999999}—"_qs;
        QTest::newRow("russian fade duration")
            << u"Фейд «Песня» за 3 сек"_qs << u"{b}Фейд{} «Песня» {i 555555}за 3 сек"_qs;
        QTest::newRow("empty line between lines")
            << u"Stop\n\nWait"_qs << u"{b}Stop{}\n{}\n{b}Wait"_qs;
        QTest::newRow("plain line") << u"just words"_qs << u"{}just words"_qs;
        QTest::newRow("utf-16 offsets after an emoji")
            << u"🎵 Plays 3 sec"_qs << u"{}🎵 {b}Plays{} {i 555555}3 sec"_qs;
    }
    void descriptionRuns()
    {
        QFETCH(QString, notes);
        QFETCH(QString, runs);
        QCOMPARE(describe(SpreadsheetExport::descriptionRuns(
                     makeCue(CueType::audio, u"1"_qs, u"n"_qs, {}, notes))),
            runs);
    }

    // Cue texts that would break the workbook's XML arrive as readable cells.
    void unsafeTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("control characters")
            << u"Bell\u0007 and\u000B tab\t"_qs << u"Bell and tab\t"_qs;
        QTest::newRow("literal character escape") << u"file_x0020_name"_qs << u"file_x0020_name"_qs;
    }
    void unsafeTexts()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        const QLabCue unsafe = makeCue(CueType::audio, text, text, text, text, text);
        const QLabProject show = project(text, { cueList(text, { unsafe }) });
        ExportSettings settings;
        settings.preserveColors = false;
        settings.addVersionInfo = false;
        const auto workbook
            = SpreadsheetExport::workbook(settings, show, &show.cueLists[0], show.cueLists[0].cues);
        QVERIFY(workbook);
        WorkbookProbe probe;
        QCOMPARE(probe.read(*workbook->writer.build()), QString());
        const QJsonArray row = probe.rows(0)[1].toArray();
        for (int c = 1; c < 6; ++c)
            QCOMPARE(row[c][u"value"].toString(), shown);
    }
};

QTEST_GUILESS_MAIN(TestSpreadsheetExport)
#include "tst_spreadsheetexport.moc"
