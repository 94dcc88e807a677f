#include "TestSupport.h"
#include "model/QLabProject.h"

#include <QTest>

namespace {

void collectIds(QList<QLabCue> &cues, QSet<QUuid> &ids)
{
    for (QLabCue &cue : cues) {
        ids.insert(cue.id);
        cue.id = QUuid();
        collectIds(cue.children, ids);
    }
}

// The lists with their names and every id taken out into ids.
QList<QLabCueList> content(const QLabProject &project, QSet<QUuid> &ids)
{
    QList<QLabCueList> lists = project.cueLists;
    for (QLabCueList &list : lists) {
        ids.insert(list.id);
        list.id = QUuid();
        list.name.clear();
        collectIds(list.cues, ids);
    }
    return lists;
}

} // namespace

class TestSampleProject : public QObject
{
    Q_OBJECT

private slots:
    // Both languages hold the same cues, and every call makes a project of ids of its own.
    void sameCuesNewIds()
    {
        useLanguage(AppLanguage::english);
        const QLabProject english = QLabProject::demo();
        useLanguage(AppLanguage::russian);
        const QLabProject russian = QLabProject::demo();
        QVERIFY(english.name != russian.name);
        QSet<QUuid> ids { english.id, russian.id };
        QVERIFY(content(english, ids) == content(russian, ids));
        ids.remove(QUuid());
        QCOMPARE(ids.size(), 2 * (1 + 2 + 19));
    }
};

QTEST_GUILESS_MAIN(TestSampleProject)
#include "tst_sampleproject.moc"
