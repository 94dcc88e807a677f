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
    void initTestCase();
    void describesEveryKind_data();
    void describesEveryKind();
    void waits_data();
    void waits();
    void nameMarkup_data();
    void nameMarkup();
};

void TestGenerator::initTestCase()
{
    QVERIFY(useTemporarySettings());
}

void TestGenerator::describesEveryKind_data()
{
    QTest::addColumn<CueType>("type");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("russian");

    const auto row = [](const char *tag, CueType type, const QString &name, const QString &action,
                         const QString &english, const QString &russian) {
        QTest::newRow(tag) << type << name << action << english << russian;
    };
    const QString rain = u"Rain.WAV"_s;
    row("audio level", CueType::audio, rain, u"Audio \"Rain.WAV\"\n   master -6\n   <1-2> 0"_s,
        u"Playing Rain (level -6 dB)"_s, u"Воспроизводится Rain (уровень -6 dB)"_s);
    row("audio muted", CueType::audio, rain, u"Audio \"Rain.WAV\"\n   master -50"_s,
        u"Playing Rain (muted)"_s, u"Воспроизводится Rain (без звука)"_s);
    row("audio lines ending in carriage returns", CueType::audio, rain,
        u"Audio \"Rain.WAV\"\r   master -6\r   <1-2> 0"_s, u"Playing Rain (level -6 dB)"_s,
        u"Воспроизводится Rain (уровень -6 dB)"_s);
    row("audio quietest level", CueType::audio, rain, u"   master -49"_s,
        u"Playing Rain (level -49 dB)"_s, u"Воспроизводится Rain (уровень -49 dB)"_s);
    row("audio full level", CueType::audio, rain, u"Audio \"Rain.WAV\"\n   master 0"_s,
        u"Playing Rain"_s, u"Воспроизводится Rain"_s);
    row("audio level in file name", CueType::audio, u"remaster 2.wav"_s,
        u"Audio \"remaster 2.wav\"\n   master -60"_s, u"Playing remaster 2 (muted)"_s,
        u"Воспроизводится remaster 2 (без звука)"_s);
    row("audio name is the extension", CueType::audio, u".wav"_s, u"Audio"_s, u"Playing "_s,
        u"Воспроизводится "_s);
    row("audio without name", CueType::audio, QString(), u"Audio"_s, u"Playing audio"_s,
        u"Воспроизводится аудио"_s);
    row("video", CueType::video, u"intro.mp4"_s, u"Video \"intro.mp4\"\n   master -60"_s,
        u"Playing intro"_s, u"Воспроизводится intro"_s);
    row("video without name", CueType::video, QString(), u"Video"_s, u"Playing video"_s,
        u"Воспроизводится видео"_s);

    row("midi note number", CueType::midi, {}, u"MIDI\n   Note On, Note 60, Vel 100"_s,
        u"MIDI command: Note 60"_s, u"MIDI команда: Note 60"_s);
    row("midi note on", CueType::midi, {}, u"MIDI Note On ch1 60/100"_s, u"Sending MIDI Note On"_s,
        u"Отправляется MIDI Note On"_s);
    row("midi cc", CueType::midi, {}, u"MIDI\n   Control Change, CH 1, CC 60, Val 64"_s,
        u"Sending MIDI CC"_s, u"Отправляется MIDI CC"_s);
    row("midi msc", CueType::midi, {}, u"MIDI MSC ch1"_s, u"Sending MSC command"_s,
        u"Отправляется MSC команда"_s);
    row("midi program", CueType::midi, {}, u"MIDI Program Change ch1 5"_s, u"MIDI program change"_s,
        u"Смена MIDI программы"_s);
    row("midi other", CueType::midi, {}, u"MIDI Note Off ch1 60/0"_s, u"Sending MIDI"_s,
        u"Отправляется MIDI"_s);

    row("fade to silence", CueType::fade, {}, u"Fade \u2192 Увертюра\n   master -60\n   5s"_s,
        u"Fade Увертюра \u2014 fades to silence over 5 sec"_s,
        u"Фейд Увертюра \u2014 затухает до тишины за 5 сек"_s);
    row("fade restores", CueType::fade, {}, u"Fade \u2192 background\n   master 0\n   3s"_s,
        u"Fade background \u2014 volume restored over 3 sec"_s,
        u"Фейд background \u2014 восстанавливается громкость за 3 сек"_s);
    row("fade to a level", CueType::fade, {}, u"Fade \u2192 x\n   master -12"_s,
        u"Fade x \u2014 master -12 dB"_s, u"Фейд x \u2014 master -12 dB"_s);
    row("fade rate and visual", CueType::fade, {},
        u"Fade \u2192 music\n   rate 1.5\n   opacity 50%"_s,
        u"Fade music \u2014 rate 1.5; visual parameters change"_s,
        u"Фейд music \u2014 rate 1.5; изменение визуальных параметров"_s);
    row("fade rate not a number", CueType::fade, {}, u"Fade \u2192 music\n   rate fast"_s,
        u"Fade music \u2014 rate change"_s, u"Фейд music \u2014 изменение скорости"_s);
    row("fade names its target as written", CueType::fade, {}, u"Fade \u2192 rain"_s,
        u"Fade rain"_s, u"Фейд rain"_s);
    row("fade effect parameters", CueType::fade, {}, u"Fade \u2192 x\n   Audio FX\n   4s"_s,
        u"Fade x \u2014 parameters change over 4 sec"_s,
        u"Фейд x \u2014 изменение параметров за 4 сек"_s);
    row("fade effect phrase", CueType::fade, {},
        u"Fade \u2192 x\n   изменение параметров эффекта"_s, u"Fade x \u2014 parameters change"_s,
        u"Фейд x \u2014 изменение параметров"_s);
    row("fade lines ending in carriage returns", CueType::fade, {},
        u"Fade \u2192 x\r   master -60\r   5s"_s, u"Fade x \u2014 fades to silence over 5 sec"_s,
        u"Фейд x \u2014 затухает до тишины за 5 сек"_s);
    row("fade decimal duration", CueType::fade, {}, u"Fade \u2192 x\n   2.5s"_s,
        u"Fade x over 2.5 sec"_s, u"Фейд x за 2.5 сек"_s);
    row("fade fx", CueType::fade, {}, u"Fade (fx) \u2192 Reverb\n   10s"_s,
        u"Effect parameters change Reverb over 10 sec"_s,
        u"Изменяются параметры эффекта Reverb за 10 сек"_s);
    row("fade without target", CueType::fade, {}, u"Fade\n   master -60\n   5s"_s,
        u"Volume change"_s, u"Изменение громкости"_s);
    row("fade reads nothing from the target name", CueType::fade, {},
        u"Fade \u2192 Pirate 3 remaster 4 Escalera\n   2s"_s,
        u"Fade Pirate 3 remaster 4 Escalera over 2 sec"_s,
        u"Фейд Pirate 3 remaster 4 Escalera за 2 сек"_s);
    row("fade level line is no duration", CueType::fade, {},
        u"Fade \u2192 x\n   master -60\n   stop when done"_s, u"Fade x \u2014 fades to silence"_s,
        u"Фейд x \u2014 затухает до тишины"_s);
    row("fade rate is no duration", CueType::fade, {},
        u"Fade \u2192 x\n   rate 1.5\n   stop when done"_s, u"Fade x \u2014 rate 1.5"_s,
        u"Фейд x \u2014 rate 1.5"_s);
    row("fade marker borrows no line", CueType::fade, {}, u"Fade \u2192 \n   master -60\n   5s"_s,
        u"Volume change"_s, u"Изменение громкости"_s);

    row("wait", CueType::wait, {}, u"Wait: 30s"_s, u"Wait 30 sec"_s, u"Пауза 30 сек"_s);
    row("wait without digits", CueType::wait, {}, u"Wait"_s, u"Pause"_s, u"Пауза"_s);
    row("wait beyond int", CueType::wait, {}, u"Wait: 3000000000s"_s, u"Wait 3000000000 sec"_s,
        u"Пауза 3000000000 сек"_s);
    row("wait beyond 64 bits", CueType::wait, {}, u"Wait: 30000000000000000000s"_s, u"Pause"_s,
        u"Пауза"_s);
    row("pause names its target as written", CueType::pause, {}, u"Pause \u2192 rain"_s,
        u"Pauses: rain"_s, u"На паузу: rain"_s);
    row("pause without target", CueType::pause, {}, u"Pause"_s, u"Pause"_s, u"Пауза"_s);
    row("mic", CueType::mic, u"Lav 1"_s, {}, u"Mic on: Lav 1"_s, u"Включается Lav 1"_s);
    row("mic without name", CueType::mic, {}, {}, u"Mic on: microphone"_s,
        u"Включается микрофон"_s);
    row("devamp target", CueType::devamp, u"Loop"_s, u"Devamp \u2192 12"_s, u"Devamp: 12"_s,
        u"Devamp: 12"_s);
    row("devamp name", CueType::devamp, u"Loop"_s, u"Devamp"_s, u"Devamp: Loop"_s,
        u"Devamp: Loop"_s);
    row("devamp bare", CueType::devamp, {}, u"Devamp"_s, u"Devamp"_s, u"Devamp"_s);
    row("network", CueType::network, u"OSC Command"_s, u"Network: OSC Command"_s,
        u"Network command: OSC Command"_s, u"Сетевая команда: OSC Command"_s);
    row("network without name", CueType::network, {}, {}, u"Network command"_s,
        u"Сетевая команда"_s);
    row("light", CueType::light, u"Warm"_s, {}, u"Light: Warm"_s, u"Свет: Warm"_s);
    row("light without name", CueType::light, {}, {}, u"Light command"_s, u"Световая команда"_s);
    row("script", CueType::script, u"Reset"_s, {}, u"Script: Reset"_s, u"Скрипт: Reset"_s);
    row("script without name", CueType::script, {}, {}, u"Script"_s, u"Скрипт"_s);
    row("text", CueType::text, u"Title"_s, {}, u"Text: Title"_s, u"Текст: Title"_s);
    row("text without name", CueType::text, {}, {}, u"Text: Text"_s, u"Текст: Text"_s);
    row("camera", CueType::camera, u"Cam A"_s, {}, u"Camera: Cam A"_s, u"Камера: Cam A"_s);
    row("camera without name", CueType::camera, {}, {}, u"Camera"_s, u"Камера"_s);
    row("timecode", CueType::timecode, u"TC"_s, u"Timecode start: 01:00:00:00"_s, u"Timecode"_s,
        u"Timecode"_s);
    row("start nothing after the marker", CueType::start, {}, u"Start \u2192\n   x"_s, u"Start"_s,
        u"Запуск"_s);
    row("start markup name alone", CueType::start, {}, u"Start \u2192 rain"_s, u"Дождь"_s,
        u"Дождь"_s);
    row("start found by number", CueType::start, {}, u"Start \u2192 5, then more"_s, u"Дождь"_s,
        u"Дождь"_s);
    row("start found without markup keeps the reference", CueType::start, {},
        u"Start \u2192 background"_s, u"Starts background"_s, u"Запускается background"_s);
    row("stop without target", CueType::stop, {}, u"Stop"_s, u"Stop"_s, u"Остановка"_s);
    row("stop markup name after Stops:", CueType::stop, {}, u"Stop \u2192 rain"_s,
        u"Stops: Дождь"_s, u"Останавливается: Дождь"_s);
    row("stop not found", CueType::stop, {}, u"Stop \u2192 missing"_s, u"Stops missing"_s,
        u"Останавливается missing"_s);
    row("group", CueType::group, u"Scene"_s, u"Audio \"a.wav\""_s, u"Starts audio \"a\""_s,
        u"Запускается аудио \"a\""_s);
    for (CueType silent :
        { CueType::load, CueType::reset, CueType::memo, CueType::goTo, CueType::unknown })
        row(qPrintable(u"silent "_s + rawValue(silent)), silent, u"x"_s, u"x"_s, QString(),
            QString());
}

void TestGenerator::describesEveryKind()
{
    QFETCH(CueType, type);
    QFETCH(QString, name);
    QFETCH(QString, action);
    QFETCH(QString, english);
    QFETCH(QString, russian);
    QLabCue cue = makeCue(type, u"9"_s, name, action);
    // No body, no waits.
    if (english.isEmpty()) {
        cue.preWait = 2;
        cue.postWait = 1;
    }
    QCOMPARE(describeInBoth(cue, CueIndex(projectCues())), (QStringList { english, russian }));
}

void TestGenerator::waits_data()
{
    QTest::addColumn<double>("preWait");
    QTest::addColumn<double>("postWait");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("russian");
    const double infinity = std::numeric_limits<double>::infinity();
    QTest::newRow("whole and half")
        << 2.0 << 1.5 << u"After 2 sec: Timecode\nthen after 1.5 sec \u2014 next Cue"_s
        << u"Через 2 сек: Timecode\nпосле \u2014 через 1.5 сек следующий Cue"_s;
    QTest::newRow("quarter rounds to even")
        << 0.25 << 0.0 << u"After 0.2 sec: Timecode"_s << u"Через 0.2 сек: Timecode"_s;
    QTest::newRow("post-wait only") << 0.0 << 5.0 << u"Timecode\nthen after 5 sec \u2014 next Cue"_s
                                    << u"Timecode\nпосле \u2014 через 5 сек следующий Cue"_s;
    QTest::newRow("negative and not a number")
        << -1.0 << std::numeric_limits<double>::quiet_NaN() << u"Timecode"_s << u"Timecode"_s;
    QTest::newRow("beyond 64 bits") << 1e20 << 0.0 << u"After 100000000000000000000 sec: Timecode"_s
                                    << u"Через 100000000000000000000 сек: Timecode"_s;
    QTest::newRow("infinite")
        << infinity << infinity
        << u"After \u221E sec: Timecode\nthen after \u221E sec \u2014 next Cue"_s
        << u"Через \u221E сек: Timecode\nпосле \u2014 через \u221E сек следующий Cue"_s;
}

void TestGenerator::waits()
{
    QFETCH(double, preWait);
    QFETCH(double, postWait);
    QFETCH(QString, english);
    QFETCH(QString, russian);
    QLabCue cue = makeCue(CueType::timecode, u"1"_s, {});
    cue.preWait = preWait;
    cue.postWait = postWait;
    QCOMPARE(describeInBoth(cue, CueIndex()), (QStringList { english, russian }));
}

void TestGenerator::nameMarkup_data()
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
    QTest::newRow("none") << u"rain"_s << std::optional<QString>();
}

void TestGenerator::nameMarkup()
{
    QFETCH(QString, notes);
    QFETCH(std::optional<QString>, expected);
    QCOMPARE(::nameMarkup(notes), expected);

    // The markup is the description of any kind of cue, wrapped with its waits.
    LanguageManager::shared().setCurrent(AppLanguage::english);
    for (CueType type : { CueType::audio, CueType::memo, CueType::unknown }) {
        QLabCue cue = makeCue(type, u"1"_s, u"x.wav"_s, u"Audio \"x.wav\""_s, notes);
        cue.preWait = 0.25;
        QString body = expected.value_or(type == CueType::audio ? u"Playing x"_s : QString());
        QCOMPARE(AutoDescriptionGenerator::shared().generateDescription(cue, QList<QLabCue>()),
            body.isEmpty() ? QString() : u"After 0.2 sec: "_s + body);
    }
}

QTEST_GUILESS_MAIN(TestGenerator)
#include "tst_generator.moc"
