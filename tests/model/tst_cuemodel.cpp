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
        QTest::newRow("raw value") << "Audio" << CueType::audio;
        QTest::newRow("qualifier") << "Audio (Stereo)" << CueType::audio;
        QTest::newRow("empty qualifier") << "Group (" << CueType::group;
        QTest::newRow("no blank before parenthesis") << "Audio(Stereo)" << CueType::unknown;
        QTest::newRow("other letter case") << "audio" << CueType::unknown;
        QTest::newRow("empty") << "" << CueType::unknown;
        QTest::newRow("other word") << "Lighting" << CueType::unknown;
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
        QCOMPARE(allCueTypes().front(), CueType::audio);
        QCOMPARE(allCueTypes().back(), CueType::unknown);
    }

    void hexColor_data()
    {
        QTest::addColumn<CueType>("type");
        QTest::addColumn<QString>("hex");
        // Components are truncated, not rounded: 0.85 * 255 = 216.75 gives D8.
        QTest::newRow("audio") << CueType::audio << u"4C8CD8"_s;
        QTest::newRow("fade") << CueType::fade << u"D88C3F"_s;
        QTest::newRow("pause") << CueType::pause << u"D88C3F"_s;
        QTest::newRow("unknown") << CueType::unknown << u"7F7F7F"_s;
    }
    void hexColor()
    {
        QFETCH(CueType, type);
        QFETCH(QString, hex);
        QCOMPARE(cueTypeHexColor(type), hex);
    }

    void totalCueCountSkipsGrandchildren()
    {
        QLabCue grandchild;
        QLabCue childGroup;
        childGroup.type = CueType::group;
        childGroup.children = { grandchild };
        QLabCue group;
        group.type = CueType::group;
        group.children = { childGroup, QLabCue() };
        QLabCueList list { QUuid::createUuid(), QStringLiteral("Main"),
            { QLabCue(), group, QLabCue() } };
        QCOMPARE(list.totalCueCount(), 5);
        QLabProject project;
        project.cueLists = { list, list };
        QCOMPARE(project.totalCueCount(), 10);
    }

    void equalityAndHash()
    {
        QLabCue cue;
        cue.id = QUuid::createUuid();
        cue.qlabCueID = QStringLiteral("ABC");
        cue.children = { QLabCue() };
        QLabCue same = cue;
        QCOMPARE(same, cue);
        QCOMPARE(qHash(same), qHash(cue));

        QLabCue otherSource = cue;
        otherSource.descriptionSource = DescriptionSource::generated;
        QVERIFY(otherSource != cue);

        QLabCue otherId = cue;
        otherId.id = QUuid::createUuid();
        QVERIFY(otherId != cue);

        QLabCue absentVersusEmpty = cue;
        absentVersusEmpty.originalNotes = QString();
        QVERIFY(absentVersusEmpty != cue);

        QLabCue negativeZero = cue;
        negativeZero.preWait = -0.0;
        QCOMPARE(negativeZero, cue);
        QCOMPARE(qHash(negativeZero), qHash(cue));

        QLabCue childDiffers = cue;
        childDiffers.children[0].notes = QStringLiteral("x");
        QVERIFY(childDiffers != cue);
    }
};

QTEST_GUILESS_MAIN(TestCueModel)
#include "tst_cuemodel.moc"
