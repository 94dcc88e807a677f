#include "import/ActionTextLayout.h"
#include "model/LanguageManager.h"
#include "model/ProjectJsonReader.h"
#include "model/ProjectJsonWriter.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

void forgetIds(QList<QLabCue> &cues)
{
    for (QLabCue &cue : cues) {
        cue.id = QUuid();
        forgetIds(cue.children);
    }
}

// The lists with every id, and the list names, cleared.
QList<QLabCueList> content(const QLabProject &project)
{
    QList<QLabCueList> lists = project.cueLists;
    for (QLabCueList &list : lists) {
        list.id = QUuid();
        list.name.clear();
        forgetIds(list.cues);
    }
    return lists;
}

void collectIds(const QList<QLabCue> &cues, QSet<QUuid> &ids)
{
    for (const QLabCue &cue : cues) {
        ids.insert(cue.id);
        collectIds(cue.children, ids);
    }
}

} // namespace

class TestSampleProject : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_settingsDir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir.path());
        QCoreApplication::setOrganizationName(u"marrowlark-tests"_s);
        QCoreApplication::setApplicationName(u"tst_sampleproject"_s);
    }

    void namesFollowTheLanguage_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("English") << AppLanguage::english
                                 << QStringList { u"Test Show"_s, u"ACT 1"_s, u"ACT 2"_s };
        QTest::newRow("Russian") << AppLanguage::russian
                                 << QStringList { u"Тестовый спектакль"_s, u"АКТ 1"_s, u"АКТ 2"_s };
    }
    void namesFollowTheLanguage()
    {
        QFETCH(AppLanguage, language);
        QFETCH(QStringList, names);
        LanguageManager::shared().setCurrent(language);
        const QLabProject project = QLabProject::demo();
        QCOMPARE(project.name, names[0]);
        QCOMPARE(project.cueLists.size(), 2);
        QCOMPARE(project.cueLists[0].name, names[1]);
        QCOMPARE(project.cueLists[1].name, names[2]);
        QCOMPARE(project.formatVersion, u"1.0"_s);
    }

    void cuesAreTheSameInBothLanguages()
    {
        LanguageManager::shared().setCurrent(AppLanguage::english);
        const QLabProject english = QLabProject::demo();
        LanguageManager::shared().setCurrent(AppLanguage::russian);
        const QLabProject russian = QLabProject::demo();
        QVERIFY(content(english) == content(russian));
    }

    void everyCallIsANewProject()
    {
        const QLabProject first = QLabProject::demo();
        const QLabProject second = QLabProject::demo();
        QVERIFY(content(first) == content(second));
        QCOMPARE(first.name, second.name);

        QSet<QUuid> ids { first.id, second.id };
        for (const QLabProject *project : { &first, &second }) {
            for (const QLabCueList &list : project->cueLists) {
                ids.insert(list.id);
                collectIds(list.cues, ids);
            }
        }
        ids.remove(QUuid());
        // Two projects of two lists and 19 cues each, all apart.
        QCOMPARE(ids.size(), 2 * (1 + 2 + 19));
    }

    void shape()
    {
        const QLabProject project = QLabProject::demo();
        QCOMPARE(project.totalCueCount(), 19);
        QCOMPARE(project.cueLists[0].cues.size(), 13);
        QCOMPARE(project.cueLists[1].cues.size(), 4);

        QStringList numbers;
        QStringList withNameMarkup;
        for (const QLabCueList &list : project.cueLists) {
            for (const QLabCue &cue : list.cues) {
                numbers << cue.number;
                if (cue.notes.startsWith(u"/name_"_s))
                    withNameMarkup << cue.number;
                QCOMPARE(cue.children.isEmpty(), cue.type != CueType::group);
            }
        }
        QCOMPARE(numbers,
            QStringList(
                { u"1"_s, u"1.1"_s, u"1.2"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"5.1"_s, u"5.2"_s,
                    u"6"_s, u"7"_s, u"8"_s, u"10"_s, u"100"_s, u"101"_s, u"102"_s, u"103"_s }));
        QCOMPARE(withNameMarkup, QStringList({ u"2"_s, u"5"_s, u"101"_s }));

        const QLabCue &storm = project.cueLists[0].cues[12];
        QCOMPARE(storm.type, CueType::group);
        QCOMPARE(storm.name, u"Сцена грозы"_s);
        QCOMPARE(storm.children.size(), 2);
        QCOMPARE(storm.children[0].number, u"10.1"_s);
        QCOMPARE(storm.children[0].type, CueType::audio);
        QCOMPARE(storm.children[1].number, u"10.2"_s);
        QCOMPARE(storm.children[1].type, CueType::fade);
        // Four blocks: audio, fade, wait, MIDI; each block's parameter lines are indented.
        const QStringList lines = ActionTextLayout::splitLines(storm.action);
        QStringList headers;
        for (const QString &line : lines) {
            if (!ActionTextLayout::isParameterLine(line))
                headers << line;
        }
        QCOMPARE(headers,
            QStringList(
                { u"Audio \"rain_loop.wav\""_s, u"Fade → music"_s, u"Wait: 5s"_s, u"MIDI"_s }));
        QCOMPARE(project.cueLists[1].cues[3].trigger,
            u"Hotkey\nFade & Stop: peers (5s)\nDuck: -12dB (3s)"_s);
    }

    void cueDefaults()
    {
        const QDateTime before = QDateTime::currentDateTimeUtc().addMSecs(-1);
        const QLabProject project = QLabProject::demo();
        const QDateTime after = QDateTime::currentDateTimeUtc().addMSecs(1);
        for (const ReferenceDate &date : { project.exportDate, project.lastModified }) {
            QVERIFY(date.toDateTime() >= before);
            QVERIFY(date.toDateTime() <= after);
        }
        QList<QLabCue> all;
        for (const QLabCueList &list : project.cueLists) {
            for (const QLabCue &cue : list.cues)
                all << cue << cue.children;
        }
        QCOMPARE(all.size(), 19);
        for (const QLabCue &cue : all) {
            QVERIFY(!cue.notesEdited);
            QVERIFY(!cue.qlabCueID && !cue.originalNotes && !cue.fullTypeName);
            QCOMPARE(cue.preWait, 0.0);
            QCOMPARE(cue.postWait, 0.0);
            QCOMPARE(cue.descriptionSource, DescriptionSource::none);
        }
    }

    void survivesAProjectFile()
    {
        const QLabProject project = QLabProject::demo();
        QString error;
        const std::optional<QByteArray> bytes = ProjectJsonWriter::write(project, &error);
        QVERIFY2(bytes, qPrintable(error));
        const std::optional<QLabProject> read = ProjectJsonReader::read(*bytes, &error);
        QVERIFY2(read, qPrintable(error));
        QVERIFY(read->cueLists == project.cueLists);
        QCOMPARE(read->name, project.name);
        QVERIFY(read->exportDate == project.exportDate);
    }

private:
    QTemporaryDir m_settingsDir;
};

QTEST_GUILESS_MAIN(TestSampleProject)
#include "tst_sampleproject.moc"
