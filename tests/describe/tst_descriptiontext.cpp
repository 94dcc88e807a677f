#include "describe/DescriptionText.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace DescriptionText;

using OptionalText = std::optional<QString>;
using OptionalNumber = std::optional<double>;
using NumberReader = OptionalNumber (*)(QStringView);

namespace {

OptionalNumber waitSeconds(QStringView text)
{
    return parseWaitSeconds(text);
}

} // namespace

class TestDescriptionText : public QObject
{
    Q_OBJECT

private slots:
    void extractTarget_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("marker");
        QTest::addColumn<OptionalText>("expected");
        const QString fade = u"Fade \u2192"_s;
        QTest::newRow("comma and further lines")
            << u"Fade \u2192 Rain, loop\n   master -6\n   2s"_s << fade << OptionalText(u"Rain"_s);
        // Cut at the line break before trimming: the next line is no target.
        QTest::newRow("nothing on the marker's line")
            << u"Fade \u2192  \n   master -60\n   5s"_s << fade << OptionalText();
        QTest::newRow("line separator ends the line")
            << u"Start \u2192 7\u2028x"_s << u"Start \u2192"_s << OptionalText(u"7"_s);
        QTest::newRow("up to the second marker")
            << u"Start \u2192 a Start \u2192 b"_s << u"Start \u2192"_s << OptionalText(u"a"_s);
        QTest::newRow("case-sensitive marker")
            << u"start \u2192 a"_s << u"Start \u2192"_s << OptionalText();
        QTest::newRow("inner blanks kept")
            << u"Pause \u2192  Big  Rain \n"_s << u"Pause \u2192"_s << OptionalText(u"Big  Rain"_s);
    }

    void extractTarget()
    {
        QFETCH(QString, text);
        QFETCH(QString, marker);
        QFETCH(OptionalText, expected);
        QCOMPARE(DescriptionText::extractTarget(text, marker), expected);
    }

    void seconds_data()
    {
        QTest::addColumn<NumberReader>("read");
        QTest::addColumn<QString>("text");
        QTest::addColumn<OptionalNumber>("expected");
        QTest::newRow("duration word") << &parseDuration << u"duration 10"_s << OptionalNumber(10);
        QTest::newRow("capital S after blank") << &parseDuration << u"3 S"_s << OptionalNumber(3);
        QTest::newRow("seconds win over duration")
            << &parseDuration << u"duration 9\n   4s"_s << OptionalNumber(4);
        // Blanks never cross a line (the ends of "master -60\n   stop when done" and "rate 1.5" are
        // checked through fades), and a number never starts inside another or after a point.
        QTest::newRow("level then duration line")
            << &parseDuration << u"   master -60\n   3s"_s << OptionalNumber(3);
        QTest::newRow("decimal seconds") << &parseDuration << u"   2.5s"_s << OptionalNumber(2.5);
        QTest::newRow("pre-wait line")
            << &parseDuration << u"Fade \u2192 x\n   pre-wait: 2.5s"_s << OptionalNumber();
        QTest::newRow("post-wait minutes")
            << &parseDuration << u"   post-wait: 1m 30s\n   4s"_s << OptionalNumber(4);
        QTest::newRow("beyond 64 bits falls to the next pattern")
            << &parseDuration << u"99999999999999999999s duration 6"_s << OptionalNumber(6);
        QTest::newRow("other digits are no number")
            << &parseDuration << u"\u0663s"_s << OptionalNumber();
        QTest::newRow("wait upper case") << &waitSeconds << u"WAIT: 12"_s << OptionalNumber(12);
        // A member's own wait lines are no duration of a Wait.
        QTest::newRow("wait pre-wait line")
            << &waitSeconds << u"Wait\n   pre-wait: 3s"_s << OptionalNumber();
        QTest::newRow("wait header wins")
            << &waitSeconds << u"Wait: 4s\n   post-wait: 3s"_s << OptionalNumber(4);
    }

    void seconds()
    {
        QFETCH(NumberReader, read);
        QFETCH(QString, text);
        QFETCH(OptionalNumber, expected);
        QCOMPARE(read(text), expected);
    }
};

QTEST_GUILESS_MAIN(TestDescriptionText)
#include "tst_descriptiontext.moc"
