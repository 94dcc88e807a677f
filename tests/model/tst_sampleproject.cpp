#include "model/ActionTextLayout.h"
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
        const QDateTime before = QDateTime::currentDateTimeUtc().addMSecs(-1);
        const QLabProject first = QLabProject::demo();
        const QLabProject second = QLabProject::demo();
        const QDateTime after = QDateTime::currentDateTimeUtc().addMSecs(1);
        QVERIFY(content(first) == content(second));
        QCOMPARE(first.name, second.name);
        for (const ReferenceDate &date : { first.exportDate, first.lastModified }) {
            QVERIFY(date.toDateTime() >= before);
            QVERIFY(date.toDateTime() <= after);
        }

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

    // The storm group's action text must read as the import writes it: four blocks whose
    // parameter lines are indented.
    void groupActionFollowsTheLayout()
    {
        const QLabCue storm = QLabProject::demo().cueLists[0].cues[12];
        QCOMPARE(storm.type, CueType::group);
        QStringList headers;
        for (const QString &line : ActionTextLayout::splitLines(storm.action)) {
            if (!ActionTextLayout::isParameterLine(line))
                headers << line;
        }
        QCOMPARE(headers,
            QStringList(
                { u"Audio \"rain_loop.wav\""_s, u"Fade → music"_s, u"Wait: 5s"_s, u"MIDI"_s }));
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
