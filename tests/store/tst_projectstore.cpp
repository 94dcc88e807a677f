#include "ScopedEnvironment.h"
#include "TestSupport.h"
#include "describe/AutoDescriptionGenerator.h"
#include "describe/CueIndex.h"
#include "import/ImportStateMachine.h"
#include "model/ProjectJsonReader.h"
#include "model/ProjectJsonWriter.h"
#include "store/ProjectStore.h"

#include <QDir>

#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>

using namespace Qt::StringLiterals;

namespace {

QLabCue storeCue(CueType type, const QString &number, const QString &name,
    const QString &notes = {}, DescriptionSource source = DescriptionSource::none)
{
    QLabCue cue = makeCue(type, number, name, rawValue(type) + u":"_s + name, notes);
    cue.descriptionSource = source;
    return cue;
}

QLabCue withQLabID(QLabCue cue, const QString &id, std::optional<QString> originalNotes = {})
{
    cue.qlabCueID = id;
    cue.originalNotes = std::move(originalNotes);
    return cue;
}

// List "Main": 1 Audio, 2 Group (2.1 Audio, 2.2 Fade), 3 Memo with the name markup, 4 Fade with
// imported notes, 5 Audio freshly imported with notes, 6 Audio with generated notes.
// List "Band": 1 Audio.
QLabProject sampleProject()
{
    QLabCue intro = withQLabID(storeCue(CueType::audio, u"1"_s, u"Intro"_s), u"Q1"_s, u""_s);
    QLabCue scene = storeCue(CueType::group, u"2"_s, u"Scene"_s);
    scene.trigger = u"(triggers внутри)"_s;
    scene.action = u"Audio rain.wav\nFade \u2192 Rain"_s;
    scene.children = {
        withQLabID(storeCue(CueType::audio, u"2.1"_s, u"Rain"_s, u"wet child note"_s,
                       DescriptionSource::manual),
            u"Q3"_s),
        withQLabID(storeCue(CueType::fade, u"2.2"_s, u"Fade rain"_s, u"manual"_s,
                       DescriptionSource::manual),
            u"Q4"_s, u"qlab note"_s),
    };
    QLabCue bell = withQLabID(storeCue(CueType::memo, u"3"_s, u"Bell"_s,
                                  u"Ring /name_Big Bell/ twice"_s, DescriptionSource::manual),
        u"Q5"_s);
    bell.trigger = u"(triggers inside)"_s;
    QLabCue fadeOut = storeCue(
        CueType::fade, u"4"_s, u"Fade out"_s, u"imported text"_s, DescriptionSource::imported);
    fadeOut.trigger = u"Hotkey: F"_s;
    QLabCue fresh = withQLabID(
        storeCue(CueType::audio, u"5"_s, u"Thunder"_s, u"QLab words"_s), u"Q6"_s, u"QLab words"_s);
    QLabCue generated = storeCue(
        CueType::audio, u"6"_s, u"Wind"_s, u"old generated"_s, DescriptionSource::generated);

    QLabProject project = ProjectStore::makeNewProject();
    project.name = u"Show"_s;
    project.cueLists = {
        { QUuid::createUuid(), u"Main"_s, { intro, scene, bell, fadeOut, fresh, generated } },
        { QUuid::createUuid(), u"Band"_s, { storeCue(CueType::audio, u"1"_s, u"Drums"_s) } },
    };
    return project;
}

QStringList numbers(const QList<QLabCue> &cues)
{
    QStringList result;
    for (const QLabCue &cue : cues)
        result.append(cue.number);
    return result;
}

const QLabCue &cueOf(const ProjectStore &store, int list, int cue)
{
    return store.project().cueLists[list].cues[cue];
}

// The id at {list, cue, member}, where -1 stands for the list's own or the cue's own.
QUuid &idAt(QLabProject &project, const QList<int> &at)
{
    QLabCueList &list = project.cueLists[at[0]];
    if (at[1] < 0)
        return list.id;
    QLabCue &cue = list.cues[at[1]];
    return at[2] < 0 ? cue.id : cue.children[at[2]].id;
}

} // namespace

class TestProjectStore : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProjectStore> m_store;

    ProjectStore &store() { return *m_store; }

private slots:
    void init() { m_store = std::make_unique<ProjectStore>(sampleProject()); }
    void cleanup() { m_store.reset(); }

    void sharedStoreImportsFromQLab()
    {
        // Without osascript the import cannot even ask whether QLab runs, and says so.
        ScopedEnvironment environment;
        environment.set("PATH", QDir::tempPath() + u"/no-such-folder"_s);
        ImportStateMachine &machine = ProjectStore::shared().importMachine();
        machine.start();
        QTRY_COMPARE(machine.state().kind(), ImportState::Case::failed);
    }

    void filters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QSet<CueType>>("hidden");
        QTest::addColumn<bool>("triggersOnly");
        QTest::addColumn<QStringList>("expected");
        const QSet<CueType> none;
        QTest::newRow("only in a child's notes")
            << u"wet child"_s << none << false << QStringList { u"2"_s };
        QTest::newRow("in the action") << u"memo:bell"_s << none << false << QStringList { u"3"_s };
        QTest::newRow("blank counts")
            << u" "_s << none << false << QStringList { u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s };
        QTest::newRow("group hides its members")
            << QString() << QSet<CueType> { CueType::group } << false
            << QStringList { u"1"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s };
        QTest::newRow("members' types keep the group")
            << QString() << QSet<CueType> { CueType::audio, CueType::fade } << false
            << QStringList { u"2"_s, u"3"_s };
        QTest::newRow("triggers") << QString() << none << true << QStringList { u"3"_s, u"4"_s };
        QTest::newRow("triggers and text") << u"fade"_s << none << true << QStringList { u"4"_s };
    }
    void filters()
    {
        QFETCH(QString, text);
        QFETCH(QSet<CueType>, hidden);
        QFETCH(bool, triggersOnly);
        store().setSearchText(text);
        store().setTypeFilter(hidden);
        store().setShowOnlyWithTriggers(triggersOnly);
        QTEST(numbers(store().filteredCues()), "expected");
    }

    // On a list searched in pieces, rows follow cues added or changed, saying when they are kept.
    void filteredRowsFollowChangesInPlace()
    {
        QLabProject project = sampleProject();
        QList<QLabCue> &band = project.cueLists[1].cues;
        for (int n = 2; n <= 150; ++n)
            band.append(storeCue(CueType::audio, QString::number(n), u"Calm"_s, u"sea"_s));
        store().loadProject(project);
        store().setSelectedCueListID(project.cueLists[1].id);
        store().setSearchText(u"zebra"_s);
        QVERIFY(store().filteredPositions().isEmpty());
        QSignalSpy changed(&store(), &ProjectStore::filteredCuesChanged);
        QSignalSpy appended(&store(), &ProjectStore::filteredCueAppended);
        QSignalSpy edited(&store(), &ProjectStore::filteredCuesEdited);
        const auto expect = [&](const QStringList &rows, int changes, int appends, int edits) {
            QCOMPARE(numbers(store().filteredCues()), rows);
            QCOMPARE(store().filteredCueCount(), rows.size());
            QCOMPARE(changed.count(), changes);
            QCOMPARE(appended.count(), appends);
            QCOMPARE(edited.count(), edits);
        };

        store().updateNotes(cueOf(store(), 1, 140).id, u"Zebra crossing"_s);
        expect({ u"141"_s }, 1, 0, 0);
        store().updateNotes(cueOf(store(), 1, 140).id, u"A zebra"_s);
        expect({ u"141"_s }, 1, 0, 1);
        store().appendCueToLastList(storeCue(CueType::audio, u"151"_s, u"Zebra"_s));
        expect({ u"141"_s, u"151"_s }, 1, 1, 1);
        store().appendCueToLastList(storeCue(CueType::audio, u"152"_s, u"Calm"_s));
        store().appendCueList({ QUuid::createUuid(), u"Later"_s, {} });
        store().appendCueToLastList(storeCue(CueType::audio, u"1"_s, u"Zebra"_s));
        expect({ u"141"_s, u"151"_s }, 1, 1, 1);
        store().undoManager().undo();
        store().undoManager().undo();
        expect({ u"151"_s }, 2, 1, 2);
        // Many cues at once: the clear takes "sea" from every one.
        store().setSearchText(u"sea"_s);
        QCOMPARE(store().filteredCueCount(), 149);
        store().clearDescriptions(ClearDescriptionsMode::all);
        expect({}, 4, 1, 2);
    }

    void loadProjectResetsEditingState()
    {
        store().setSearchText(u"x"_s);
        store().setTypeFilter({ CueType::audio });
        store().setShowOnlyWithTriggers(true);
        store().setSelectedCueID(cueOf(store(), 0, 0).id);
        store().updateNotes(cueOf(store(), 0, 0).id, u"edited"_s);
        store().markSaved(QUrl::fromLocalFile(u"/tmp/show.vtl"_s));
        store().updateNotes(cueOf(store(), 0, 0).id, u"edited again"_s);
        QVERIFY(store().hasUnsavedChanges());
        QCOMPARE(store().undoManager().count(), 2);

        QSignalSpy filtered(&store(), &ProjectStore::filteredCuesChanged);
        const QLabProject next = sampleProject();
        store().loadProject(next);
        QCOMPARE(filtered.count(), 1);
        QCOMPARE(store().selectedCueListID(), next.cueLists[0].id);
        QVERIFY(!store().selectedCueID() && !store().hasUnsavedChanges());
        QVERIFY(store().searchText().isEmpty() && store().typeFilter().isEmpty());
        QCOMPARE(store().undoManager().count(), 0);
        QCOMPARE(store().projectFileURL(), QUrl::fromLocalFile(u"/tmp/show.vtl"_s));
        QCOMPARE(store().filteredCues().size(), 6);
    }

    void editWithUndoAndRedo_data()
    {
        QTest::addColumn<int>("child");
        QTest::newRow("top-level cue") << -1;
        QTest::newRow("group member") << 1;
    }
    void editWithUndoAndRedo()
    {
        QFETCH(int, child);
        useLanguage(AppLanguage::english);
        auto current = [&]() -> const QLabCue & {
            const QLabCue &group = cueOf(store(), 0, 1);
            return child < 0 ? group : group.children[child];
        };
        const QLabCue before = current();
        QSignalSpy project(&store(), &ProjectStore::projectChanged);
        QSignalSpy unsaved(&store(), &ProjectStore::hasUnsavedChangesChanged);

        store().updateNotes(before.id, u"New text"_s);
        const QLabCue edited = current();
        QCOMPARE(edited.notes, u"New text"_s);
        QVERIFY(edited.notesEdited);
        QCOMPARE(edited.descriptionSource, DescriptionSource::manual);
        QVERIFY(store().hasUnsavedChanges());
        QCOMPARE(project.count(), 1);
        QCOMPARE(unsaved.count(), 1);

        store().markSaved({});
        store().undoManager().undo();
        QCOMPARE(current(), before);
        QVERIFY(store().hasUnsavedChanges());
        store().undoManager().redo();
        QCOMPARE(current(), edited);
    }

    // The same text again is still a step; a cue that is not there makes none.
    void editEdges()
    {
        const QLabCue cue = cueOf(store(), 0, 3);
        store().updateNotes(QUuid::createUuid(), u"x"_s);
        QVERIFY(!store().hasUnsavedChanges());
        store().updateNotes(cue.id, cue.notes);
        QCOMPARE(store().undoManager().count(), 1);
        QCOMPARE(cueOf(store(), 0, 3).descriptionSource, DescriptionSource::manual);
    }

    void generateForSelectedList()
    {
        useLanguage(AppLanguage::english);
        const CueIndex targets(store().allCues());
        const QLabCue intro = cueOf(store(), 0, 0);
        const QLabCue group = cueOf(store(), 0, 1);
        const auto &generator = AutoDescriptionGenerator::shared();
        const QString introText = generator.generateDescription(intro, targets);
        const QString groupText = generator.generateDescription(group, targets);
        const QLabProject before = store().project();
        QSignalSpy project(&store(), &ProjectStore::projectChanged);
        QSignalSpy filtered(&store(), &ProjectStore::filteredCuesChanged);

        // Every top-level cue of the list but the one named by the user's markup.
        QCOMPARE(store().generateDescriptionsForSelectedList(false), 5);
        QCOMPARE(project.count(), 1);
        QCOMPARE(filtered.count(), 1);
        QCOMPARE(cueOf(store(), 0, 0).notes, introText);
        QCOMPARE(cueOf(store(), 0, 0).descriptionSource, DescriptionSource::generated);
        QCOMPARE(cueOf(store(), 0, 1).notes, groupText);
        QCOMPARE(cueOf(store(), 0, 1).children, group.children);
        QCOMPARE(cueOf(store(), 0, 2), before.cueLists[0].cues[2]);
        QCOMPARE(store().project().cueLists[1], before.cueLists[1]);

        // One step, undone and redone as a whole.
        const QLabProject after = store().project();
        store().undoManager().undo();
        QCOMPARE(store().project().cueLists, before.cueLists);
        QCOMPARE(project.count(), 2);
        store().undoManager().redo();
        QCOMPARE(store().project().cueLists, after.cueLists);
        store().undoManager().undo();
        QCOMPARE(store().project().cueLists, before.cueLists);
        QVERIFY(!store().undoManager().canUndo());
    }

    void generateOnlyEmpty()
    {
        QCOMPARE(store().generateDescriptionsForAllLists(true), 3); // 1, 2 and the band's 1
        QCOMPARE(cueOf(store(), 0, 3).notes, u"imported text"_s);
        store().markSaved({});
        QSignalSpy project(&store(), &ProjectStore::projectChanged);
        QCOMPARE(store().generateDescriptionsForAllLists(true), 0);
        QCOMPARE(project.count(), 0);
        QCOMPARE(store().undoManager().count(), 1);
        QVERIFY(!store().hasUnsavedChanges());
    }

    void clear_data()
    {
        QTest::addColumn<ClearDescriptionsMode>("mode");
        QTest::addColumn<QStringList>("cleared");
        QTest::newRow("all") << ClearDescriptionsMode::all
                             << QStringList { u"4"_s, u"5"_s, u"6"_s };
        QTest::newRow("generated") << ClearDescriptionsMode::generated << QStringList { u"6"_s };
        // A fresh import leaves the source at none; notes still equal to QLab's count as imported.
        QTest::newRow("imported") << ClearDescriptionsMode::imported
                                  << QStringList { u"4"_s, u"5"_s };
    }
    void clear()
    {
        QFETCH(ClearDescriptionsMode, mode);
        QFETCH(QStringList, cleared);
        useLanguage(AppLanguage::english);
        store().updateNotes(cueOf(store(), 0, 5).id, u"user text"_s);
        store().undoManager().undo(); // back to generated, but notesEdited stays as it was
        const QLabProject before = store().project();
        QSignalSpy project(&store(), &ProjectStore::projectChanged);

        QCOMPARE(store().clearDescriptions(mode), int(cleared.size()));
        QCOMPARE(project.count(), 1);
        const QList<QLabCue> &cues = store().project().cueLists[0].cues;
        for (qsizetype i = 0; i < cues.size(); ++i) {
            const QLabCue &was = before.cueLists[0].cues[i];
            if (cleared.contains(cues[i].number)) {
                QCOMPARE(cues[i].notes, QString());
                QCOMPARE(cues[i].descriptionSource, DescriptionSource::none);
                QCOMPARE(cues[i].notesEdited, was.notesEdited);
            } else {
                QCOMPARE(cues[i], was);
            }
        }
        store().undoManager().undo();
        QCOMPARE(store().project().cueLists, before.cueLists);
        QCOMPARE(store().clearDescriptions(mode), int(cleared.size()));
        QCOMPARE(store().clearDescriptions(mode), 0);
    }

    // Notes typed over QLab's own, with the source still none, are no longer QLab's.
    void clearImportedKeepsChangedNotes()
    {
        QLabProject project = store().project();
        QLabCue &fresh = project.cueLists[0].cues[4];
        fresh.notes = u"typed by a script"_s;
        QVERIFY(fresh.descriptionSource == DescriptionSource::none && fresh.originalNotes);
        store().setProject(project);
        QCOMPARE(store().clearDescriptions(ClearDescriptionsMode::imported), 1); // only cue 4
        QCOMPARE(cueOf(store(), 0, 4).notes, u"typed by a script"_s);
        QCOMPARE(cueOf(store(), 0, 3).notes, QString());
    }

    void undoNeverWritesIntoAnotherCue()
    {
        QCOMPARE(store().clearDescriptions(ClearDescriptionsMode::all), 3);
        store().updateNotes(cueOf(store(), 0, 1).children[0].id, u"member"_s);
        // The structure changes behind the history's back: cues removed and replaced.
        QLabProject changed = store().project();
        changed.cueLists[0].cues.remove(3, 3);
        changed.cueLists[0].cues[1].children[0].id = QUuid::createUuid();
        store().setProject(changed);
        store().undoManager().undo();
        store().undoManager().undo();
        QCOMPARE(store().project().cueLists, changed.cueLists);
        store().undoManager().redo();
        QCOMPARE(store().project().cueLists, changed.cueLists);
    }

    // Of a repeated id in a file, the later holder gets a fresh one; all else is read as written.
    void repeatedIdsFromAFile_data()
    {
        QTest::addColumn<QList<int>>("first");
        QTest::addColumn<QList<int>>("repeat");
        QTest::newRow("cue in its list") << QList { 0, 0, -1 } << QList { 0, 3, -1 };
        QTest::newRow("cue in another list") << QList { 0, 0, -1 } << QList { 1, 0, -1 };
        QTest::newRow("group in its member") << QList { 0, 1, -1 } << QList { 0, 1, 1 };
        QTest::newRow("cue list") << QList { 0, -1, -1 } << QList { 1, -1, -1 };
    }
    void repeatedIdsFromAFile()
    {
        QFETCH(QList<int>, first);
        QFETCH(QList<int>, repeat);
        QLabProject written = sampleProject();
        const QUuid repeated = idAt(written, repeat) = idAt(written, first);
        QString error;
        const std::optional<QByteArray> bytes = ProjectJsonWriter::write(written, &error);
        QVERIFY2(bytes, qPrintable(error));
        std::optional<QLabProject> read = ProjectJsonReader::read(*bytes, &error);
        QVERIFY2(read, qPrintable(error));
        QVERIFY(idAt(*read, repeat) != repeated);
        idAt(*read, repeat) = repeated;
        QCOMPARE(read->cueLists, written.cueLists);
    }

    void writeBackChoice_data()
    {
        QTest::addColumn<bool>("allLists");
        QTest::addColumn<bool>("onlyEmpty");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("selected list")
            << false << false << QStringList { u"2.1"_s, u"2.2"_s, u"3"_s, u"5"_s };
        QTest::newRow("only empty QLab notes") << false << true << QStringList { u"2.1"_s, u"3"_s };
        // B1's notes were empty in QLab; absent and empty both count as empty.
        QTest::newRow("all lists, only empty QLab notes")
            << true << true << QStringList { u"2.1"_s, u"3"_s, u"B1"_s };
    }
    void writeBackChoice()
    {
        QFETCH(bool, allLists);
        QFETCH(bool, onlyEmpty);
        QFETCH(QStringList, expected);
        QLabProject project = store().project();
        QLabCue &band = project.cueLists[1].cues[0];
        band = withQLabID(band, u"B"_s, u""_s);
        band.number = u"B1"_s;
        band.notes = u"drums"_s;
        project.cueLists[0].cues[0].notes = u"described"_s;
        project.cueLists[0].cues[0].qlabCueID = u""_s; // an empty id is no id
        store().setProject(project);
        QCOMPARE(numbers(store().cuesForWriteBack(allLists, onlyEmpty)), expected);
    }

    void nothingSelected()
    {
        store().setSelectedCueListID(std::nullopt);
        QCOMPARE(store().generateDescriptionsForSelectedList(false), 0);
        QCOMPARE(store().undoManager().count(), 0);
        QVERIFY(store().cuesForWriteBack(false, false).isEmpty());
        QCOMPARE(store().cuesForWriteBack(true, false).size(), 4);
    }
};

QTEST_GUILESS_MAIN(TestProjectStore)
#include "tst_projectstore.moc"
