#include "FakeFileDialogs.h"
#include "ViewTestSupport.h"
#include "store/ProjectStore.h"
#include "ui/ExportSettingsView.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace ViewTest;

namespace {

QString readerOutput(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return u"failed: "_s + QString::fromUtf8(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}

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
        use(AppLanguage::english);
        ExportSettings::storeSelectedColumns({ ExportColumn::name, ExportColumn::trigger });
    }

    void refusesAnExportWithoutColumns()
    {
        ProjectStore store(project());
        FakeFileDialogs panels;
        QWidget window;
        ExportSettingsView dialog(store, &window);
        window.show();
        dialog.open();
        QVERIFY(dialog.isVisible() && dialog.windowModality() == Qt::WindowModal);
        const auto warningShown
            = [&dialog] { return dialog.findChild<QWidget *>(u"columnWarning"_s)->isVisible(); };

        press(dialog, u"columnRow_name"_s);
        press(dialog, u"columnRow_trigger"_s);
        press(dialog, u"exportConfirmButton"_s);
        QVERIFY(warningShown() && dialog.isVisible());
        QVERIFY(panels.saveRequests.isEmpty());

        // Choosing all columns keeps the warning until a column is toggled.
        press(dialog, u"resetColumnsButton"_s);
        QCOMPARE(dialog.settings().selectedColumns.size(), 6);
        QVERIFY(warningShown());
        press(dialog, u"columnRow_action"_s);
        QVERIFY(!warningShown());

        // Cancel forgets the choice; the next presentation starts from the stored one.
        press(dialog, u"formatCard_excel"_s);
        press(dialog, u"exportCancelButton"_s);
        QVERIFY(!dialog.isVisible());
        dialog.open();
        QCOMPARE(dialog.settings().format, ExportFormat::pdf);
        QCOMPARE(dialog.settings().selectedColumns.size(), 2);
    }

    void exportsThroughTheService_data()
    {
        QTest::addColumn<bool>("excel");
        QTest::addColumn<int>("lists");
        QTest::addColumn<QString>("suggestedName");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("absent");
        // With several lists the export covers all of them, whatever the table shows.
        QTest::newRow("pdf, all lists")
            << false << 2 << u"Storm Marrowlark.pdf"_s
            << QStringList { u"Main"_s, u"Act 2"_s, u"Rain"_s, u"Thunder"_s } << QString();
        QTest::newRow("pdf, the table's rows")
            << false << 1 << u"Main.pdf"_s << QStringList { u"Main"_s, u"Thunder"_s } << u"Rain"_s;
        QTest::newRow("excel, the table's rows")
            << true << 1 << u"Main.xlsx"_s << QStringList { u"Main:3 Thunder\n"_s } << u"Info"_s;
    }

    void exportsThroughTheService()
    {
        QFETCH(bool, excel);
        QFETCH(int, lists);
        QFETCH(QString, suggestedName);
        QFETCH(QStringList, expected);
        QFETCH(QString, absent);
        ExportSettings::storeSelectedColumns(
            { ExportColumn::type, ExportColumn::number, ExportColumn::name });
        QTemporaryDir folder;
        FakeFileDialogs panels;
        panels.saveAnswer = folder.filePath(excel ? u"export.xlsx"_s : u"export.pdf"_s);
        ProjectStore store(project(lists));
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
        QVERIFY2(absent.isEmpty() || !text.contains(absent), qPrintable(text));
    }
};

QTEST_MAIN(ExportSettingsTest)
#include "tst_exportsettings.moc"
