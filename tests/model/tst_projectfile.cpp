#include "FakeFileDialogs.h"
#include "TestSupport.h"
#include "model/AppText.h"
#include "model/JsonTextWriter.h"
#include "model/LanguageManager.h"
#include "model/ProjectFileService.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(QLabProject)

namespace {

// While set, syncing a file to disk fails as on a disk that loses the write.
bool failingSync = false;

} // namespace

// Stands in for the C library's, so the program's own sync before replacing a file can fail.
extern "C" int fdatasync(int fd)
{
    if (failingSync) {
        errno = EIO;
        return -1;
    }

    return fsync(fd);
}

namespace {

QUuid uuid(const char *text)
{
    return QUuid::fromString(QLatin1String(text));
}

QLabCue cueWithId(const char *id, CueType type, const QString &number, const QString &name)
{
    QLabCue cue = makeCue(type, number, name);
    cue.id = uuid(id);
    return cue;
}

// Covers every field, both forms of optional texts, nesting below children, texts that need
// escaping and numbers in every notation the encoder uses.
QLabProject goldenProject()
{
    QLabCue overture = cueWithId(
        "1A2B3C4D-0000-4000-8000-000000000001", CueType::audio, u"1"_s, u"Увертюра.wav"_s);
    overture.action = u"Audio \"Увертюра.wav\"\n   master -6\n\t<1-2> 0"_s;
    overture.notes = u"/name_Гроза/"_s;
    overture.trigger = u"Hotkey"_s;
    overture.notesEdited = true;
    overture.qlabCueID = u"3f2504e0-4f89-11d3-9a0c-0305e82c3301"_s;
    overture.originalNotes = u""_s;
    overture.fullTypeName = u"Audio (Stereo)"_s;
    overture.preWait = 1.5;
    overture.descriptionSource = DescriptionSource::imported;

    QLabCue fade = cueWithId("1A2B3C4D-0000-4000-8000-000000000003", CueType::fade, u"10.1"_s, {});
    fade.action = u"Fade → music\n   master -60\n   2s"_s;
    fade.preWait = 0.25;
    fade.postWait = 1e20;
    fade.descriptionSource = DescriptionSource::generated;

    QLabCue stop = cueWithId("1A2B3C4D-0000-4000-8000-000000000005", CueType::stop, u"10.2.1"_s,
        u"Back\\slash \u0001\u001f\b\f\r 🎭\u2028"_s);
    stop.notes = u"typed by hand"_s;
    stop.originalNotes = u"QLab's \"own\" notes"_s;
    stop.postWait = 7e-05;
    stop.descriptionSource = DescriptionSource::manual;

    QLabCue inner
        = cueWithId("1A2B3C4D-0000-4000-8000-000000000004", CueType::group, u"10.2"_s, u"Inner"_s);
    inner.children = { stop };
    inner.fullTypeName = u"Group (Timeline)"_s;

    QLabCue storm = cueWithId(
        "1A2B3C4D-0000-4000-8000-000000000002", CueType::group, u"10"_s, u"Сцена грозы"_s);
    storm.action = u"Audio \"rain_loop.wav\"\n   master -6"_s;
    storm.trigger = u"(triggers inside)"_s;
    storm.children = { fade, inner };
    storm.preWait = 123456789.5;
    storm.postWait = -0.0;

    QLabCue memo = cueWithId("1A2B3C4D-0000-4000-8000-000000000006", CueType::memo, {}, {});

    QLabProject project;
    project.id = uuid("6F1C2A9E-0B7D-4C3E-9A51-2D8E7F6A5B4C");
    project.name = u"Storm / Act \"One\""_s;
    project.cueLists = {
        { uuid("AB000000-0000-4000-8000-0000000000A1"), u"ACT 1"_s, { overture, storm, memo } },
        { uuid("AB000000-0000-4000-8000-0000000000A2"), u"ACT 2 / Finale"_s, {} },
    };
    project.exportDate = { 800000000.123456 };
    project.lastModified = { 7e-05 };
    project.formatVersion = u"1.0"_s;
    return project;
}

// A project whose single cue list holds a chain of groups, each the only child of the one above.
QByteArray nestedGroupsFile(int depth)
{
    const QByteArray cueHead = R"({"id":"00000000-0000-4000-8000-000000000001","type":"Group",)"
                               R"("number":"","name":"","action":"","notes":"","trigger":"",)"
                               R"("notesEdited":false,"preWait":0,"postWait":0,)"
                               R"("descriptionSource":"none","children":[)";
    return R"({"id":"00000000-0000-4000-8000-000000000002","name":"Deep","exportDate":0,)"
           R"("lastModified":0,"formatVersion":"1.0","cueLists":[{"id":)"
           R"("00000000-0000-4000-8000-000000000003","name":"L","cues":[)"
        + cueHead.repeated(depth) + QByteArray("]}").repeated(depth) + "]}]}";
}

// Replaces the first occurrence only, so that a row damages exactly one place of a file.
QByteArray replaceFirst(QByteArray bytes, QByteArrayView from, QByteArrayView to)
{
    const qsizetype at = bytes.indexOf(from);
    return at < 0 ? QByteArray() : bytes.replace(at, from.size(), to.toByteArray());
}

const QByteArray byteOrderMark = "\xEF\xBB\xBF";

QString goldenPath()
{
    return testData(u"model/data/project.vtl"_s);
}

void verifySameProject(const QLabProject &actual, const QLabProject &expected)
{
    QCOMPARE(actual.id, expected.id);
    QCOMPARE(actual.name, expected.name);
    QCOMPARE(actual.cueLists.size(), expected.cueLists.size());
    for (qsizetype i = 0; i < actual.cueLists.size(); ++i)
        QVERIFY2(actual.cueLists[i] == expected.cueLists[i], qPrintable(actual.cueLists[i].name));
    // Exact, not QCOMPARE's fuzzy comparison of doubles.
    QVERIFY(actual.exportDate == expected.exportDate);
    QVERIFY(actual.lastModified == expected.lastModified);
    QCOMPARE(actual.formatVersion, expected.formatVersion);
}

// See opensFilesOfOtherWriters_data().
QString reverseKeysScript()
{
    return uR"(
import json, sys
def reversed_object(pairs):
    keys = [key for key, _ in pairs]
    assert keys == sorted(keys), keys
    return dict(reversed(pairs))
with open(sys.argv[1], encoding='utf-8') as source:
    data = json.load(source, object_pairs_hook=reversed_object)
with open(sys.argv[2], 'w', encoding='utf-8') as target:
    json.dump(data, target, separators=(',', ':'))
)"_s;
}

} // namespace

class TestProjectFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void init() { useLanguage(AppLanguage::english); }

    // Whatever the notation, the digits must give back the very same double.
    void numbersReadBack()
    {
        std::srand(7);
        for (int i = 0; i < 20000; ++i) {
            std::uint64_t bits = 0;
            for (int part = 0; part < 4; ++part)
                bits = (bits << 16) ^ std::uint64_t(std::rand() & 0xFFFF);
            double value;
            std::memcpy(&value, &bits, sizeof value);
            if (!std::isfinite(value))
                continue;
            const QByteArray text = JsonTextWriter::formatNumber(value);
            QVERIFY2(std::strtod(text.constData(), nullptr) == value, text.constData());
        }
    }

    void savedBytesMatchGoldenFile()
    {
        const QString path = m_dir.filePath(u"golden.vtl"_s);
        QVERIFY(writeFile(path, "an older, longer file that the save must replace completely"));
        FakeFileDialogs dialogs;
        dialogs.saveAnswer = path;
        int calls = 0;
        ProjectFileService::saveProject(goldenProject(), u"Storm.vtl"_s,
            [&](const std::optional<QString> &savedPath) { calls += savedPath ? 1 : 100; });
        QCOMPARE(calls, 1);
        QCOMPARE(dialogs.saveRequests.size(), 1);

        const QByteArray golden = readFile(goldenPath());
        QVERIFY(!golden.isEmpty());
        // Line by line, so that a difference shows where it is.
        QCOMPARE(readFile(path).split('\n'), golden.split('\n'));
    }

    void opensFilesOfOtherWriters_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QLabProject>("expected");
        QTest::newRow("ours") << goldenPath() << goldenProject();
        const QString markedPath = m_dir.filePath(u"marked.vtl"_s);
        QVERIFY(writeFile(markedPath, byteOrderMark + readFile(goldenPath())));
        QTest::newRow("with a byte-order mark") << markedPath << goldenProject();

        // Python's json module checks that every object of our file has its keys sorted, then
        // writes the same data compactly, with ASCII escapes and every object's keys in reverse
        // order.
        const QString python = u"/usr/bin/python3"_s;
        if (!QFileInfo(python).isExecutable()) {
            qWarning("No /usr/bin/python3: skipping the file written by Python");
            return;
        }
        const QString pythonPath = m_dir.filePath(u"python.vtl"_s);
        QString errors;
        QVERIFY2(
            runTool(python, { u"-c"_s, reverseKeysScript(), goldenPath(), pythonPath }, &errors),
            qPrintable(errors));
        QVERIFY(readFile(pythonPath)
                    .startsWith("{\"name\":\"Storm / Act \\\"One\\\"\",\"lastModified\":7e-05,"));
        QTest::newRow("by Python") << pythonPath << goldenProject();
    }
    void opensFilesOfOtherWriters()
    {
        QFETCH(QString, path);
        QFETCH(QLabProject, expected);
        const std::optional<QLabProject> opened = openFile(path);
        QVERIFY2(opened, qPrintable(m_lastAlert));
        verifySameProject(*opened, expected);
    }

    void deepButReadableNesting()
    {
        const QString path = m_dir.filePath(u"deep.vtl"_s);
        QVERIFY(writeFile(path, nestedGroupsFile(400)));
        const std::optional<QLabProject> opened = openFile(path);
        QVERIFY2(opened, qPrintable(m_lastAlert));
        int depth = 0;
        for (const QLabCue *cue = &opened->cueLists[0].cues[0]; !cue->children.isEmpty();
             cue = &cue->children[0])
            ++depth;
        QCOMPARE(depth, 399);

        FakeFileDialogs dialogs;
        dialogs.saveAnswer = m_dir.filePath(u"deep-saved.vtl"_s);
        bool saved = false;
        ProjectFileService::saveProject(*opened, u"x.vtl"_s,
            [&](const std::optional<QString> &savedPath) { saved = savedPath.has_value(); });
        QVERIFY(saved);
        const std::optional<QLabProject> reopened = openFile(dialogs.saveAnswer);
        QVERIFY(reopened);
        verifySameProject(*reopened, *opened);
    }

    void brokenFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");

        const QByteArray golden = readFile(goldenPath());
        QVERIFY(!golden.isEmpty());
        auto damaged
            = [&](const char *row, QByteArrayView from, QByteArrayView to, const char *reason) {
                  const QByteArray bytes = replaceFirst(golden, from, to);
                  QVERIFY2(!bytes.isEmpty(), row);
                  QTest::newRow(row) << bytes << QString::fromUtf8(reason);
              };

        QTest::newRow("empty") << QByteArray() << u"The file is empty."_s;
        QTest::newRow("byte-order mark only") << byteOrderMark + "\n" << AppText::jsonEmptyFile();
        // The offset counts the mark, as the file's bytes do.
        QTest::newRow("byte-order mark, then not JSON")
            << byteOrderMark + "{]" << AppText::jsonNotJSON(byteOrderMark.size() + 1);
        QTest::newRow("not JSON") << QByteArray("Cue list\n1\tGo\n") << u"not valid JSON"_s;
        QTest::newRow("garbage after the project") << golden + " {}" << u"not valid JSON"_s;
        QTest::newRow("array") << QByteArray("[]") << u"The file does not hold a project."_s;
        QTest::newRow("deeply nested arrays")
            << QByteArray(100000, '[') << u"The file is nested too deeply to be read."_s;
        QTest::newRow("deeply nested cues")
            << nestedGroupsFile(600) << u"The file is nested too deeply to be read."_s;

        damaged("cue without notesEdited", "\"notesEdited\" : true,", "",
            "Required key “notesEdited” is missing (at cueLists[0].cues[0]).");
        damaged("wait as text", "\"preWait\" : 1.5", "\"preWait\" : \"1.5\"",
            "The value of “preWait” is not a number (at cueLists[0].cues[0]).");
        damaged("malformed UUID", "\"id\" : \"6F1C2A9E-0B7D-4C3E-9A51-2D8E7F6A5B4C\"",
            "\"id\" : \"6F1C2A9E0B7D4C3E9A512D8E7F6A5B4C\"",
            "The value of “id” is not a UUID (at the top level).");
        damaged("unpaired surrogate", "\"name\" : \"ACT 1\"", "\"name\" : \"ACT \\ud800 1\"",
            "The value of “name” holds a broken character (at cueLists[0]).");
        damaged("unknown cue type", "\"type\" : \"Audio\"", "\"type\" : \"audio\"",
            "“audio” in “type” is not a known cue type (at cueLists[0].cues[0]).");
        damaged("long unknown cue type", "\"type\" : \"Audio\"",
            "\"type\" : \"" + QByteArray(5000, 'A') + "\"",
            "“" + QByteArray(40, 'A')
                + "…” in “type” is not a known cue type (at cueLists[0].cues[0]).");
    }
    void brokenFilesAreRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const QString path = m_dir.filePath(u"broken.vtl"_s);
        QVERIFY(writeFile(path, bytes));

        QVERIFY(!openFile(path));
        if (reason.endsWith(u'.'))
            QCOMPARE(m_lastAlert, reason);
        else
            QVERIFY2(m_lastAlert.contains(reason), qPrintable(m_lastAlert));
        QCOMPARE(readFile(path), bytes);
    }

    // Refused at once: a FIFO would hold the program until something writes to it.
    void onlyRegularFilesOpen_data()
    {
        QTest::addColumn<QString>("path");
        const QString fifo = m_dir.filePath(u"fifo.vtl"_s);
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        QTest::newRow("FIFO") << fifo;
        const QString folder = m_dir.filePath(u"folder.vtl"_s);
        QVERIFY(QDir().mkdir(folder));
        QTest::newRow("folder") << folder;
        QTest::newRow("device") << u"/dev/null"_s;
    }
    void onlyRegularFilesOpen()
    {
        QFETCH(QString, path);
        ::alarm(10); // should the open wait for a writer, the test ends instead of hanging
        QVERIFY(!openFile(path));
        ::alarm(0);
        QCOMPARE(m_lastAlert,
            AppText::fileCouldNotBeRead(QFileInfo(path).fileName(), AppText::fileNotRegular()));
    }

    void cancelledPanels()
    {
        FakeFileDialogs dialogs;
        int openCalls = 0;
        ProjectFileService::openProject([&](std::optional<QLabProject> project) {
            ++openCalls;
            QVERIFY(!project);
        });
        int saveCalls = 0;
        ProjectFileService::saveProject(goldenProject(), u"x.vtl"_s,
            [&](const std::optional<QString> &savedPath) { saveCalls += savedPath ? 100 : 1; });
        // Without a completion a cancelled save simply ends.
        ProjectFileService::saveProject(goldenProject(), u"x.vtl"_s);
        QCoreApplication::processEvents();
        QCOMPARE(openCalls, 1);
        QCOMPARE(saveCalls, 1);
        QCOMPARE(dialogs.saveRequests.size(), 2);
        QVERIFY(dialogs.alerts.isEmpty());
        QVERIFY(QDir(m_dir.path()).entryList({ u"x.vtl"_s }).isEmpty());
    }

    void failedSaveKeepsPreviousFile_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("reason");
        QTest::newRow("NaN pre-wait")
            << u"pre-wait NaN"_s
            << u"The value of “preWait” is not a finite number (at cueLists[0].cues[0])."_s;
        QTest::newRow("infinite date")
            << u"date infinite"_s
            << u"The value of “exportDate” is not a finite number (at the top level)."_s;
        QTest::newRow("folder vanished") << u"folder vanished"_s << u"could not be saved: "_s;
        QTest::newRow("disk full while writing")
            << u"file size limit"_s << u"could not be saved: not all of it could be written"_s;
        QTest::newRow("flush to disk fails")
            << u"sync fails"_s << (u"could not be saved: "_s + qt_error_string(EIO));
    }
    void failedSaveKeepsPreviousFile()
    {
        QFETCH(QString, failure);
        QFETCH(QString, reason);

        QTemporaryDir folder(m_dir.filePath(u"save-XXXXXX"_s));
        QString path = folder.filePath(u"show.vtl"_s);
        const QByteArray previous = readFile(goldenPath());
        QVERIFY(writeFile(path, previous));

        QLabProject project = goldenProject();
        project.name = u"A newer version of the show that must not reach the disk"_s;
        std::optional<ScopedFileSizeLimit> fullDisk;
        if (failure == u"pre-wait NaN") {
            project.cueLists[0].cues[0].preWait = std::nan("");
        } else if (failure == u"date infinite") {
            project.exportDate = { -std::numeric_limits<double>::infinity() };
        } else if (failure == u"folder vanished") {
            path = folder.filePath(u"gone/show.vtl"_s);
        } else if (failure == u"file size limit") {
            // Writes beyond the limit fail with EFBIG once the program ignores the signal that
            // would end it.
            fullDisk.emplace();
        } else if (failure == u"sync fails") {
            failingSync = true;
        }

        FakeFileDialogs dialogs;
        dialogs.saveAnswer = path;
        int calls = 0;
        bool result = true;
        ProjectFileService::saveProject(
            project, u"show.vtl"_s, [&](const std::optional<QString> &savedPath) {
                ++calls;
                result = savedPath.has_value();
            });
        failingSync = false;
        fullDisk.reset();
        QCOMPARE(calls, 1);
        QVERIFY(!result);
        QVERIFY(dialogs.alerts.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(dialogs.alerts.size(), 1);
        if (reason.endsWith(u'.'))
            QCOMPARE(dialogs.alerts[0].text, reason);
        else
            QVERIFY2(dialogs.alerts[0].text.contains(reason), qPrintable(dialogs.alerts[0].text));

        QCOMPARE(readFile(folder.filePath(u"show.vtl"_s)), previous);
        // No half-written temporary file is left beside it.
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
            QStringList { u"show.vtl"_s });
    }

private:
    // Opens path through the service and checks the calling contract: one completion, and any alert
    // only after it.
    std::optional<QLabProject> openFile(const QString &path)
    {
        FakeFileDialogs dialogs;
        dialogs.openAnswer = path;
        int calls = 0;
        std::optional<QLabProject> opened;
        ProjectFileService::openProject([&](std::optional<QLabProject> project) {
            ++calls;
            opened = std::move(project);
            [&] { QVERIFY(dialogs.alerts.isEmpty()); }();
        });
        QCoreApplication::processEvents();
        [&] {
            QCOMPARE(calls, 1);
            QCOMPARE(dialogs.openRequests.size(), 1);
            QCOMPARE(dialogs.alerts.size(), opened ? 0 : 1);
            if (!opened) {
                QVERIFY(!dialogs.alerts[0].text.isEmpty());
            }
        }();
        m_lastAlert = dialogs.alerts.isEmpty() ? QString() : dialogs.alerts[0].text;
        return opened;
    }

    QTemporaryDir m_dir;
    QString m_lastAlert;
};

QTEST_GUILESS_MAIN(TestProjectFile)
#include "tst_projectfile.moc"
