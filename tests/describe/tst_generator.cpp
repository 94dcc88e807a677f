#include "DescribeTestSupport.h"

#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

// Cues that Start and Stop references resolve against.
QList<QLabCue> projectCues()
{
    return {
        makeCue(CueType::audio, u"1"_s, u"Intro.wav"_s),
        makeCue(CueType::audio, u"5"_s, u"rain.wav"_s, {}, u"/name_Дождь/"_s),
        makeCue(CueType::audio, u"7"_s, u"background.aif"_s),
    };
}

} // namespace

class TestGenerator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { useLanguage(AppLanguage::english); }

    void describesEveryKind_data()
    {
        QTest::addColumn<CueType>("type");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("english");

        const auto row = [](const char *tag, CueType type, const QString &name,
                             const QString &action, const QString &english) {
            QTest::newRow(tag) << type << name << action << english;
        };
        const QString rain = u"Rain.WAV"_s;
        row("audio level", CueType::audio, rain, u"Audio \"Rain.WAV\"\n   master -6\n   <1-2> 0"_s,
            u"Playing Rain (level -6 dB)"_s);
        row("audio lines ending in carriage returns", CueType::audio, rain,
            u"Audio \"Rain.WAV\"\r   master -6\r   <1-2> 0"_s, u"Playing Rain (level -6 dB)"_s);
        row("audio without name", CueType::audio, QString(), u"Audio"_s, u"Playing audio"_s);

        row("midi note number", CueType::midi, {}, u"MIDI\n   Note On, Note 60, Vel 100"_s,
            u"MIDI command: Note 60"_s);

        row("fade to silence", CueType::fade, {}, u"Fade \u2192 Увертюра\n   master -60\n   5s"_s,
            u"Fade Увертюра \u2014 fades to silence over 5 sec"_s);
        row("fade lines ending in carriage returns", CueType::fade, {},
            u"Fade \u2192 x\r   master -60\r   5s"_s,
            u"Fade x \u2014 fades to silence over 5 sec"_s);
        row("fade decimal duration", CueType::fade, {}, u"Fade \u2192 x\n   2.5s"_s,
            u"Fade x over 2.5 sec"_s);
        row("fade reads nothing from the target name", CueType::fade, {},
            u"Fade \u2192 Pirate 3 remaster 4 Escalera\n   2s"_s,
            u"Fade Pirate 3 remaster 4 Escalera over 2 sec"_s);
        row("fade level line is no duration", CueType::fade, {},
            u"Fade \u2192 x\n   master -60\n   stop when done"_s,
            u"Fade x \u2014 fades to silence"_s);
        row("fade rate is no duration", CueType::fade, {},
            u"Fade \u2192 x\n   rate 1.5\n   stop when done"_s, u"Fade x \u2014 rate 1.5"_s);
        row("fade marker borrows no line", CueType::fade, {},
            u"Fade \u2192 \n   master -60\n   5s"_s, u"Volume change"_s);

        row("wait beyond int", CueType::wait, {}, u"Wait: 3000000000s"_s, u"Wait 3000000000 sec"_s);
        row("wait beyond 64 bits", CueType::wait, {}, u"Wait: 30000000000000000000s"_s, u"Pause"_s);
        row("start found by number", CueType::start, {}, u"Start \u2192 5, then more"_s,
            u"Дождь"_s);
        row("start found without markup keeps the reference", CueType::start, {},
            u"Start \u2192 background"_s, u"Starts background"_s);
        row("stop markup name after Stops:", CueType::stop, {}, u"Stop \u2192 rain"_s,
            u"Stops: Дождь"_s);
        row("group", CueType::group, u"Scene"_s, u"Audio \"a.wav\""_s, u"Starts audio \"a\""_s);
        for (CueType silent :
            { CueType::load, CueType::reset, CueType::memo, CueType::goTo, CueType::unknown })
            row(qPrintable(u"silent "_s + rawValue(silent)), silent, u"x"_s, u"x"_s, QString());
    }

    void describesEveryKind()
    {
        QFETCH(CueType, type);
        QFETCH(QString, name);
        QFETCH(QString, action);
        QFETCH(QString, english);
        QLabCue cue = makeCue(type, u"9"_s, name, action);
        // No body, no waits.
        if (english.isEmpty()) {
            cue.preWait = 2;
            cue.postWait = 1;
        }
        QCOMPARE(describe(cue, CueIndex(projectCues())), english);
    }

    void waits_data()
    {
        QTest::addColumn<double>("preWait");
        QTest::addColumn<double>("postWait");
        QTest::addColumn<QString>("english");
        const double infinity = std::numeric_limits<double>::infinity();
        QTest::newRow("whole and half")
            << 2.0 << 1.5 << u"After 2 sec: Timecode\nthen after 1.5 sec \u2014 next Cue"_s;
        QTest::newRow("quarter rounds to even") << 0.25 << 0.0 << u"After 0.2 sec: Timecode"_s;
        QTest::newRow("negative and not a number")
            << -1.0 << std::numeric_limits<double>::quiet_NaN() << u"Timecode"_s;
        QTest::newRow("beyond 64 bits")
            << 1e20 << 0.0 << u"After 100000000000000000000 sec: Timecode"_s;
        QTest::newRow("infinite")
            << infinity << infinity
            << u"After \u221E sec: Timecode\nthen after \u221E sec \u2014 next Cue"_s;
    }

    void waits()
    {
        QFETCH(double, preWait);
        QFETCH(double, postWait);
        QLabCue cue = makeCue(CueType::timecode, u"1"_s, {});
        cue.preWait = preWait;
        cue.postWait = postWait;
        QTEST(describe(cue, CueIndex()), "english");
    }

    void nameMarkup_data()
    {
        QTest::addColumn<QString>("notes");
        QTest::addColumn<std::optional<QString>>("expected");
        QTest::newRow("alone") << u"/name_Дождь/"_s << std::optional<QString>(u"Дождь"_s);
        QTest::newRow("inside notes, not trimmed")
            << u"Cue for /name_ Big rain /, loud"_s << std::optional<QString>(u" Big rain "_s);
        QTest::newRow("first of two") << u"/name_a/ /name_b/"_s << std::optional<QString>(u"a"_s);
        QTest::newRow("across a line") << u"/name_a\nb/"_s << std::optional<QString>(u"a\nb"_s);
        QTest::newRow("empty name") << u"/name_/"_s << std::optional<QString>();
        QTest::newRow("unclosed") << u"/name_rain"_s << std::optional<QString>();
    }

    void nameMarkup()
    {
        QFETCH(QString, notes);
        QFETCH(std::optional<QString>, expected);
        QCOMPARE(::nameMarkup(notes), expected);

        // The markup is the description of any kind of cue, wrapped with its waits.
        for (CueType type : { CueType::audio, CueType::memo, CueType::unknown }) {
            QLabCue cue = makeCue(type, u"1"_s, u"x.wav"_s, u"Audio \"x.wav\""_s, notes);
            cue.preWait = 0.25;
            QString body = expected.value_or(type == CueType::audio ? u"Playing x"_s : QString());
            QCOMPARE(describe(cue, CueIndex()),
                body.isEmpty() ? QString() : u"After 0.2 sec: "_s + body);
        }
    }
};

QTEST_GUILESS_MAIN(TestGenerator)
#include "tst_generator.moc"
