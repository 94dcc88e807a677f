#include "FakeFileDialogs.h"
#include "ViewTestSupport.h"
#include "store/ProjectStore.h"
#include "ui/ExportSettingsView.h"
#include "ui/Palette.h"
#include "ui/StyledButton.h"

#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace ViewTest;

namespace {

StyledButton *control(ExportSettingsView &dialog, const QString &name)
{
    return dialog.findChild<StyledButton *>(name);
}

void press(ExportSettingsView &dialog, const QString &name)
{
    QTest::mouseClick(control(dialog, name), Qt::LeftButton);
}

QString readerOutput(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return u"failed: "_s + QString::fromUtf8(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Each sheet's name, then the number and name cells of its rows, as openpyxl reads them.
// Each sheet's name, then the number and name cells of its cue rows (after the colour column), as
// openpyxl reads them.
const QString sheetDump
    = u"import openpyxl, sys\n"
      "for ws in openpyxl.load_workbook(sys.argv[1]).worksheets:\n"
      "    rows = [r for r in ws.iter_rows(min_row=2) if len(r) > 3 and r[2].value]\n"
      "    print(ws.title + ':' + ','.join(f'{r[2].value} {r[3].value}' for r in rows))\n"_s;

} // namespace

class ExportSettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        useLanguage(AppLanguage::english);
        useTheme(AppThemeMode::dark);
        ExportSettings::storeSelectedColumns({ ExportColumn::name, ExportColumn::trigger });
    }

    void refusesAnExportWithoutColumns()
    {
        ProjectStore store(emptyProject());
        store.loadProject(twoListProject());
        FakeFileDialogs panels;
        QWidget window;
        ExportSettingsView dialog(store, &window);
        window.show();
        dialog.open();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.windowModality(), Qt::WindowModal);
        QCOMPARE(dialog.settings().orderedColumns(),
            QList<ExportColumn>({ ExportColumn::name, ExportColumn::trigger }));

        press(dialog, u"columnRow_name"_s);
        press(dialog, u"columnRow_trigger"_s);
        QCOMPARE(control(dialog, u"exportConfirmButton"_s)->look().fill, Palette::mutedText());
        press(dialog, u"exportConfirmButton"_s);
        auto *warning = dialog.findChild<QLabel *>(u"columnWarning"_s);
        QVERIFY(warning->isVisible());
        QVERIFY(dialog.isVisible());
        QVERIFY(panels.saveRequests.isEmpty());

        // Choosing all columns keeps the warning until a column is toggled.
        press(dialog, u"resetColumnsButton"_s);
        QCOMPARE(dialog.settings().selectedColumns.size(), 6);
        QVERIFY(warning->isVisible());
        QCOMPARE(control(dialog, u"exportConfirmButton"_s)->look().fill, Palette::accent());
        press(dialog, u"columnRow_action"_s);
        QVERIFY(!warning->isVisible());

        // Cancel forgets the choice; the next presentation starts from the stored one.
        press(dialog, u"formatCard_excel"_s);
        press(dialog, u"exportCancelButton"_s);
        QVERIFY(!dialog.isVisible());
        dialog.open();
        QCOMPARE(dialog.settings().format, ExportFormat::pdf);
        QCOMPARE(dialog.settings().selectedColumns.size(), 2);
    }

    void relabelsAndRecoloursAtOnce()
    {
        ProjectStore store(emptyProject());
        ExportSettingsView dialog(store);
        dialog.resize(380, 500);
        auto *title = dialog.findChild<QLabel *>(u"exportDialogTitle"_s);
        const QString englishTitle = title->text();
        const QString englishRow = control(dialog, u"columnRow_type"_s)->text();
        useLanguage(AppLanguage::russian);
        QVERIFY(title->text() != englishTitle);
        QVERIFY(control(dialog, u"columnRow_type"_s)->text() != englishRow);
        QCOMPARE(control(dialog, u"formatCard_pdf"_s)->text(), u"PDF"_s);

        QCOMPARE(pixel(dialog, QPoint(2, 2)), Palette::panel().rgb());
        useTheme(AppThemeMode::light);
        QCOMPARE(pixel(dialog, QPoint(2, 2)), Palette::panel().rgb());
        QCOMPARE(title->palette().color(QPalette::WindowText).rgb(), Palette::primaryText().rgb());
    }

    void exportsThroughTheService_data()
    {
        QTest::addColumn<bool>("excel");
        QTest::addColumn<int>("lists");
        QTest::addColumn<QString>("suggestedName");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("absent");
        // With several lists the export covers all of them, whatever the table shows.
        QTest::newRow("pdf, all lists")
            << false << 2 << u"Storm Marrowlark.pdf"_s
            << QStringList { u"Main"_s, u"Act 2"_s, u"Thunder"_s } << QStringList();
        QTest::newRow("pdf, the table's rows")
            << false << 1 << u"Main.pdf"_s << QStringList { u"Main"_s, u"Thunder"_s }
            << QStringList { u"Rain"_s };
        QTest::newRow("excel, a sheet per list")
            << true << 2 << u"Storm Marrowlark.xlsx"_s
            << QStringList { u"Main:1 Rain,2 Scene,3 Thunder,4 Bell,5 Wind"_s, u"Act 2:1 —"_s,
                   u"Info:"_s }
            << QStringList();
        QTest::newRow("excel, the table's rows")
            << true << 1 << u"Main.xlsx"_s << QStringList { u"Main:3 Thunder"_s }
            << QStringList { u"Info"_s };
    }

    void exportsThroughTheService()
    {
        QFETCH(bool, excel);
        QFETCH(int, lists);
        QFETCH(QString, suggestedName);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, absent);
        ExportSettings::storeSelectedColumns(
            { ExportColumn::type, ExportColumn::number, ExportColumn::name });
        QTemporaryDir folder;
        FakeFileDialogs panels;
        panels.saveAnswer = folder.filePath(excel ? u"export.xlsx"_s : u"export.pdf"_s);
        ProjectStore store(emptyProject());
        QLabProject project = twoListProject();
        project.cueLists.resize(lists);
        store.loadProject(project);
        store.setSearchText(u"thun"_s);

        ExportSettingsView dialog(store);
        dialog.open();
        if (excel)
            press(dialog, u"formatCard_excel"_s);
        press(dialog, u"exportConfirmButton"_s);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(panels.saveRequests.size(), 1);
        QCOMPARE(panels.saveRequests.first().suggestedName, suggestedName);
        // The success alert follows once the written file is reported.
        QTRY_COMPARE(panels.alerts.size(), 1);

        const QString text = excel
            ? readerOutput(u"/usr/bin/python3"_s, { u"-c"_s, sheetDump, panels.saveAnswer })
            : readerOutput(u"pdftotext"_s, { panels.saveAnswer, u"-"_s });
        for (const QString &each : expected)
            QVERIFY2(text.contains(each), qPrintable(text));
        for (const QString &each : absent)
            QVERIFY2(!text.contains(each), qPrintable(text));
    }
};

QTEST_MAIN(ExportSettingsTest)
#include "tst_exportsettings.moc"
