#include "WorkspaceFixture.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestWorkspaceFixture : public QObject
{
    Q_OBJECT

private slots:
    void showFixtureLoads()
    {
        QString error;
        const auto fixture = WorkspaceFixture::load(
            QStringLiteral(MARROWLARK_TEST_DATA "/fakes/show.json"), &error);
        QVERIFY2(fixture, qPrintable(error));
        QCOMPARE(fixture->workspaces().size(), 1);
        const WorkspaceFixture::Workspace &ws = fixture->workspaces().first();
        QCOMPARE(ws.displayName, u"Hamlet"_s);
        QCOMPARE(ws.cueLists.size(), 3);

        const WorkspaceFixture::Cue *child = ws.cue(u"S-THUNDER"_s);
        QVERIFY(child);
        QCOMPARE(child->text(u"type"), u"Stop"_s);
        QCOMPARE(ws.cues.at(child->parent).uniqueID(), u"G-INNER"_s);
        QCOMPARE(ws.cues.at(child->cueList).uniqueID(), u"L-MAIN"_s);
        QVERIFY(!child->properties.contains(u"cues"));
        QVERIFY(ws.cues.at(ws.indexOf(u"G-STORM"_s)).hasChildArray);
    }

    void rejects_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("where");
        QTest::newRow("not json") << QByteArray("{") << u"offset"_s;
        QTest::newRow("no workspaces") << QByteArray("{}") << u"workspaces"_s;
        QTest::newRow("workspace without id")
            << QByteArray(R"({"workspaces":[{"cueLists":[]}]})") << u"workspaces[0]"_s;
        QTest::newRow("unknown permission") << QByteArray(
            R"({"workspaces":[{"uniqueID":"W","noPasscodePermissions":["all"],"cueLists":[]}]})")
                                            << u"workspaces[0].noPasscodePermissions"_s;
        QTest::newRow("cue without id") << QByteArray(
            R"({"workspaces":[{"uniqueID":"W","cueLists":[{"uniqueID":"L","cues":[{"name":"x"}]}]}]})")
                                        << u"workspaces[0].cueLists[0].cues[0]"_s;
        QTest::newRow("duplicate id") << QByteArray(
            R"({"workspaces":[{"uniqueID":"W","cueLists":[{"uniqueID":"L","cues":[{"uniqueID":"L"}]}]}]})")
                                      << u"workspaces[0].cueLists[0].cues[0]"_s;
    }
    void rejects()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, where);
        QString error;
        QVERIFY(!WorkspaceFixture::fromJson(json, &error));
        QVERIFY2(error.startsWith(where), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestWorkspaceFixture)
#include "tst_workspacefixture.moc"
