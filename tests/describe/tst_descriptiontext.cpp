#include "DescribeTestSupport.h"
#include "describe/DescriptionText.h"
#include "model/LanguageManager.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace DescriptionText;

using OptionalText = std::optional<QString>;
using OptionalNumber = std::optional<double>;
using TextReader = OptionalText (*)(const QString &);
using NumberReader = OptionalNumber (*)(QStringView);
using NamePart = QString (*)(const QString &);

namespace {

OptionalNumber waitSeconds(QStringView text)
{
    return parseWaitSeconds(text);
}

QString lightName(const QString &line)
{
    return stripKindPrefix(line, u"Light");
}

} // namespace

class TestDescriptionText : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void nameParts_data();
    void nameParts();
    void extractTarget_data();
    void extractTarget();
    void detectEffects_data();
    void detectEffects();
    void seconds_data();
    void seconds();
    void describeLevels_data();
    void describeLevels();
    void namesAndLabels_data();
    void namesAndLabels();
    void parameterLinesLeaveOutHeaderWaitsAndHiddenLines();
    void lineBreaks_data();
    void lineBreaks();
};

void TestDescriptionText::initTestCase()
{
    QVERIFY(useTemporarySettings());
}

void TestDescriptionText::nameParts_data()
{
    QTest::addColumn<NamePart>("part");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("aiff is not aif") << &stripMediaExtension << u"song.aiff"_s << u"song"_s;
    QTest::newRow("only the last") << &stripMediaExtension << u"clip.mp4.wav"_s << u"clip.mp4"_s;
    QTest::newRow("other extension") << &stripMediaExtension << u"notes.txt"_s << u"notes.txt"_s;
    QTest::newRow("inside the name") << &stripMediaExtension << u"a.wav b"_s << u"a.wav b"_s;
    QTest::newRow("light type word") << &lightName << u"Light Cue"_s << QString();
    QTest::newRow("light plain name") << &lightName << u"Light:  Warm "_s << u"Warm"_s;
    QTest::newRow("light other kind kept") << &lightName << u"Lamp: x"_s << u"Lamp: x"_s;
    QTest::newRow("light cue in a word") << &lightName << u"Light: Cuelist"_s << u"Cuelist"_s;
}

void TestDescriptionText::nameParts()
{
    QFETCH(NamePart, part);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(part(text), expected);
}

void TestDescriptionText::extractTarget_data()
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

void TestDescriptionText::extractTarget()
{
    QFETCH(QString, text);
    QFETCH(QString, marker);
    QFETCH(OptionalText, expected);
    QCOMPARE(DescriptionText::extractTarget(text, marker), expected);
}

void TestDescriptionText::detectEffects_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("effects holds effect")
        << u"EFFECTS delay"_s << QStringList { u"Delay"_s, u"effect"_s, u"effects"_s };
    QTest::newRow("none") << u"master -6"_s << QStringList();
}

void TestDescriptionText::detectEffects()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QCOMPARE(DescriptionText::detectEffects(text), expected);
}

void TestDescriptionText::seconds_data()
{
    QTest::addColumn<NumberReader>("read");
    QTest::addColumn<QString>("text");
    QTest::addColumn<OptionalNumber>("expected");
    QTest::newRow("duration word") << &parseDuration << u"duration 10"_s << OptionalNumber(10);
    QTest::newRow("capital S after blank") << &parseDuration << u"3 S"_s << OptionalNumber(3);
    QTest::newRow("seconds win over duration")
        << &parseDuration << u"duration 9\n   4s"_s << OptionalNumber(4);
    QTest::newRow("tab before s") << &parseDuration << u"12\ts"_s << OptionalNumber(12);
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
    QTest::newRow("wait lower case") << &waitSeconds << u"wait 5"_s << OptionalNumber(5);
    QTest::newRow("wait upper case") << &waitSeconds << u"WAIT: 12"_s << OptionalNumber(12);
    QTest::newRow("wait none") << &waitSeconds << u"Wait"_s << OptionalNumber();
    // A member's own wait lines are no duration of a Wait.
    QTest::newRow("wait pre-wait line")
        << &waitSeconds << u"Wait\n   pre-wait: 3s"_s << OptionalNumber();
    QTest::newRow("wait header wins")
        << &waitSeconds << u"Wait: 4s\n   post-wait: 3s"_s << OptionalNumber(4);
}

void TestDescriptionText::seconds()
{
    QFETCH(NumberReader, read);
    QFETCH(QString, text);
    QFETCH(OptionalNumber, expected);
    QCOMPARE(read(text), expected);
}

void TestDescriptionText::describeLevels_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("russian");
    QTest::newRow("edge of silence")
        << u"   master -49\n   <1> -50"_s << u"master -49 dB, <1> -inf dB"_s
        << u"master -49 dB, <1> -inf dB"_s;
    QTest::newRow("level as written") << u"   <5> 007"_s << u"<5> 007 dB"_s << u"<5> 007 dB"_s;
    QTest::newRow("none") << u"   Audio FX"_s << u"level change"_s << u"изменение уровней"_s;
}

void TestDescriptionText::describeLevels()
{
    QFETCH(QString, text);
    QFETCH(QString, english);
    QFETCH(QString, russian);
    LanguageManager::shared().setCurrent(AppLanguage::english);
    QCOMPARE(DescriptionText::describeLevels(text), english);
    LanguageManager::shared().setCurrent(AppLanguage::russian);
    QCOMPARE(DescriptionText::describeLevels(text), russian);
}

void TestDescriptionText::namesAndLabels_data()
{
    QTest::addColumn<TextReader>("read");
    QTest::addColumn<QString>("text");
    QTest::addColumn<OptionalText>("expected");
    QTest::newRow("typographic") << &extractQuotedName << u"Audio \u201Crain\u201D"_s
                                 << OptionalText(u"rain"_s);
    QTest::newRow("mixed marks") << &extractQuotedName << u"Audio \u201Drain\""_s
                                 << OptionalText(u"rain"_s);
    QTest::newRow("shortest") << &extractQuotedName << u"\"a\" and \"b\""_s << OptionalText(u"a"_s);
    QTest::newRow("empty pair") << &extractQuotedName << u"Audio \"\""_s << OptionalText(QString());
    QTest::newRow("one mark") << &extractQuotedName << u"Audio \"rain"_s << OptionalText();
    QTest::newRow("not across lines")
        << &extractQuotedName << u"Audio \"a\n\"b"_s << OptionalText();
    QTest::newRow("midi note number first")
        << &midiMessageLabel << u"Note Off, Note 64"_s << OptionalText(u"Note 64"_s);
    QTest::newRow("midi note off")
        << &midiMessageLabel << u"MIDI Note Off"_s << OptionalText(u"Note Off"_s);
    QTest::newRow("midi msc") << &midiMessageLabel << u"MSC GO"_s << OptionalText(u"MSC"_s);
    QTest::newRow("midi sysex") << &midiMessageLabel << u"SysEx"_s << OptionalText();
}

void TestDescriptionText::namesAndLabels()
{
    QFETCH(TextReader, read);
    QFETCH(QString, text);
    QFETCH(OptionalText, expected);
    QCOMPARE(read(text), expected);
}

void TestDescriptionText::parameterLinesLeaveOutHeaderWaitsAndHiddenLines()
{
    const QString action = u"Audio \"remaster 2.wav\"\n   master -6\n\t<1-2> 0\n   pre-wait: 2s\n"
                           u"   [notes: x]\n  post-wait: 1s"_s;
    QCOMPARE(DescriptionText::parameterLines(action), u"   master -6\n\t<1-2> 0"_s);
}

void TestDescriptionText::lineBreaks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("crlf leaves an empty line")
        << u"a\r\nb"_s << QStringList { u"a"_s, QString(), u"b"_s };
    QTest::newRow("unicode separators")
        << u"a\u2028b\u2029c\u0085d\vE\fF"_s
        << QStringList { u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"E"_s, u"F"_s };
    QTest::newRow("trailing break") << u"a\n"_s << QStringList { u"a"_s, QString() };
}

void TestDescriptionText::lineBreaks()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(splitAtLineBreaks(text), lines);
}

QTEST_GUILESS_MAIN(TestDescriptionText)
#include "tst_descriptiontext.moc"
