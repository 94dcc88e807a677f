#include "FakeFileDialogs.h"
#include "TestSupport.h"
#include "export/ExportResultHost.h"
#include "export/ExportService.h"
#include "model/AppText.h"
#include "model/LanguageManager.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Records what the windows were asked; the support window stays open until closeSupport().
class RecordingHost : public ExportResultHost
{
public:
    RecordingHost() { setCurrent(this); }
    ~RecordingHost() override { setCurrent(nullptr); }

    void showSupportWindow(std::function<void()> onClose) override
    {
        log.append(u"support"_s);
        pendingClose = std::move(onClose);
    }
    void openFile(const QString &path) override { log.append(u"open "_s + path); }
    void revealFile(const QString &path) override { log.append(u"reveal "_s + path); }

    void closeSupport() { std::exchange(pendingClose, {})(); }

    QStringList log;
    std::function<void()> pendingClose;
};

QLabCue cue(const QString &number, const QString &name)
{
    return makeCue(CueType::audio, number, name);
}

QLabProject threeActs()
{
    return makeProject(u"Tempest"_s,
        { { u"Act 1"_s, { cue(u"1"_s, u"Storm"_s) } }, { QString(), { cue(u"2"_s, u"Island"_s) } },
            { u"Act 3"_s, { cue(u"3"_s, u"Farewell"_s) } } });
}

} // namespace

class ExportServiceTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { useLanguage(AppLanguage::english); }

    void cancelledPanelDoesNothing()
    {
        FakeFileDialogs dialogs;
        RecordingHost host;
        ExportService::shared().exportAllListsPDF(ExportSettings(), threeActs());
        QCOMPARE(dialogs.saveRequests.size(), 1);
        QCOMPARE(dialogs.saveRequests[0].suggestedName, u"Tempest Marrowlark.pdf"_s);
        QTest::qWait(20);
        QVERIFY(dialogs.alerts.isEmpty());
        QVERIFY(host.log.isEmpty());
        QVERIFY(QDir(m_dir.path()).isEmpty());
    }

    // The support window first; the alert only once it has closed; then the alert's buttons.
    void successOrderAndFileActions_data()
    {
        QTest::addColumn<bool>("workbook");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("action");
        QTest::newRow("PDF, Open") << false << 0 << u"open"_s;
        QTest::newRow("PDF, Show in Finder") << false << 1 << u"reveal"_s;
        QTest::newRow("workbook, OK") << true << 2 << QString();
    }
    void successOrderAndFileActions()
    {
        QFETCH(bool, workbook);
        QFETCH(int, button);
        QFETCH(QString, action);
        FakeFileDialogs dialogs;
        dialogs.choiceAnswer = button;
        dialogs.saveAnswer = m_dir.filePath(workbook ? u"renamed.xlsx"_s : u"renamed.pdf"_s);
        RecordingHost host;
        const QLabProject project = threeActs();
        if (workbook)
            ExportService::shared().exportXLSX(
                ExportSettings(), project, &project.cueLists[0], project.cueLists[0].cues);
        else
            ExportService::shared().exportPDF(
                ExportSettings(), project.cueLists[0].cues, u"Act 1"_s, project.name);
        QVERIFY(QFile::exists(dialogs.saveAnswer));
        QVERIFY(host.log.isEmpty());
        QTRY_COMPARE(host.log, QStringList { u"support"_s });
        QTest::qWait(20);
        QVERIFY(dialogs.alerts.isEmpty());

        host.closeSupport();
        QTRY_COMPARE(dialogs.alerts.size(), 1);
        // The export's title, not the name typed in the panel.
        QCOMPARE(dialogs.alerts[0].title, workbook ? AppText::fileSaved() : AppText::pdfSaved());
        QCOMPARE(dialogs.alerts[0].text, workbook ? QString() : AppText::documentReady(u"Act 1"_s));
        QCOMPARE(host.log.mid(1),
            action.isEmpty() ? QStringList() : QStringList { action + u' ' + dialogs.saveAnswer });
    }

    void allListsNameTheUnnamedList()
    {
        FakeFileDialogs dialogs;
        dialogs.saveAnswer = m_dir.filePath(u"all.pdf"_s);
        RecordingHost host;
        ExportService::shared().exportAllListsPDF(ExportSettings(), threeActs());
        const QString text = QString::fromUtf8(
            runTool(u"pdftotext"_s, { dialogs.saveAnswer, u"-"_s }).value_or(QByteArray()));
        const qsizetype act1 = text.indexOf(u"Act 1"_s);
        const qsizetype second = text.indexOf(u"Cue List 2"_s);
        const qsizetype act3 = text.indexOf(u"Act 3"_s);
        QVERIFY2(act1 >= 0 && act1 < second && second < act3, qPrintable(text));
        // Each section starts a page of its own.
        QCOMPARE(text.count(u'\f'), 3);
        QTRY_COMPARE(host.log, QStringList { u"support"_s });
    }

    // A disk that fills up shows the error alert and no support window, and keeps the old file.
    void failedWriteKeepsTheOldFile()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(u"show.pdf"_s);
        QVERIFY(writeFile(path, "old"));
        FakeFileDialogs dialogs;
        dialogs.saveAnswer = path;
        RecordingHost host;
        const QLabProject project = threeActs();
        {
            const ScopedFileSizeLimit fullDisk;
            ExportService::shared().exportPDF(
                ExportSettings(), project.cueLists[0].cues, u"show"_s, project.name);
        }

        QTRY_COMPARE(dialogs.alerts.size(), 1);
        QCOMPARE(dialogs.alerts[0].title, AppText::exportErrorTitle());
        QVERIFY2(dialogs.alerts[0].text.startsWith(AppText::failedToSavePDF({})),
            qPrintable(dialogs.alerts[0].text));
        QVERIFY(dialogs.alerts[0].text.size() > AppText::failedToSavePDF({}).size());
        QTest::qWait(20);
        QVERIFY(host.log.isEmpty());
        QCOMPARE(readFile(path), "old");
    }
};

QTEST_MAIN(ExportServiceTest)
#include "tst_exportservice.moc"
