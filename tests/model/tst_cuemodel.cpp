#include "model/ActionTextLayout.h"
#include "model/QLabProject.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestCueModel : public QObject
{
    Q_OBJECT

private slots:
    void typeFromTypeString_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<CueType>("expected");
        QTest::newRow("qualifier") << "Audio (Stereo)" << CueType::audio;
        QTest::newRow("empty qualifier") << "Group (" << CueType::group;
        QTest::newRow("no blank before parenthesis") << "Audio(Stereo)" << CueType::unknown;
        QTest::newRow("other letter case") << "audio" << CueType::unknown;
        QTest::newRow("second qualifier counts from first") << "GoTo (a) (b)" << CueType::goTo;
    }
    void typeFromTypeString()
    {
        QFETCH(QString, text);
        QFETCH(CueType, expected);
        QCOMPARE(cueTypeFromTypeString(text), expected);
    }

    void rawValuesRoundTrip()
    {
        for (CueType type : allCueTypes())
            QCOMPARE(cueTypeFromRawValue(rawValue(type)), std::optional<CueType>(type));
    }

    void totalCueCountSkipsGrandchildren()
    {
        QLabCue childGroup;
        childGroup.type = CueType::group;
        childGroup.children = { QLabCue() };
        QLabCue group;
        group.type = CueType::group;
        group.children = { childGroup, QLabCue() };
        QLabProject project;
        project.cueLists = { { QUuid::createUuid(), u"Main"_s, { QLabCue(), group } } };
        QCOMPARE(project.totalCueCount(), 4);
    }

    void equalityAndHash()
    {
        QLabCue cue;
        cue.id = QUuid::createUuid();
        cue.originalNotes = u""_s;
        cue.children = { QLabCue() };

        QLabCue absentVersusEmpty = cue;
        absentVersusEmpty.originalNotes = std::nullopt;
        QVERIFY(absentVersusEmpty != cue);

        QLabCue negativeZero = cue;
        negativeZero.preWait = -0.0;
        QCOMPARE(negativeZero, cue);
        QCOMPARE(qHash(negativeZero), qHash(cue));

        QLabCue childDiffers = cue;
        childDiffers.children[0].notes = u"x"_s;
        QVERIFY(childDiffers != cue);
    }

    void actionLineKinds_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("parameter");
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<bool>("wait");
        QTest::newRow("header") << "Audio \"a.wav\"" << false << false << false;
        QTest::newRow("tab") << "\trate 1.5" << true << false << false;
        QTest::newRow("two blanks is a nested header")
            << "  Audio \"b.wav\"" << false << false << false;
        QTest::newRow("nested parameter") << "     master -6" << true << false << false;
        QTest::newRow("hidden") << "  [notes: hello]" << false << true << false;
        QTest::newRow("post-wait") << "     post-wait: 1.5s" << true << false << true;
    }
    void actionLineKinds()
    {
        QFETCH(QString, line);
        QTEST(ActionTextLayout::isParameterLine(line), "parameter");
        QTEST(ActionTextLayout::isHiddenLine(line), "hidden");
        QTEST(ActionTextLayout::isWaitLine(line), "wait");
    }
};

QTEST_GUILESS_MAIN(TestCueModel)
#include "tst_cuemodel.moc"
