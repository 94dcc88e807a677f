#include "model/AppText.h"
#include "model/QLabProject.h"

using namespace Qt::StringLiterals;

namespace {

QLabCue sampleCue(const QString &number, CueType type, const QString &name, const QString &action,
    const QString &notes = {}, const QString &trigger = {}, const QList<QLabCue> &children = {})
{
    return QLabCue { QUuid::createUuid(), type, number, name, action, notes, trigger, children,
        false, std::nullopt, std::nullopt, std::nullopt, 0, 0, DescriptionSource::none };
}

QLabCueList firstAct()
{
    const QList<QLabCue> stormChildren {
        sampleCue(u"10.1"_s, CueType::audio, u"rain_loop.wav"_s,
            u"Audio \"rain_loop.wav\"\n   master -6"_s),
        sampleCue(u"10.2"_s, CueType::fade, {}, u"Fade → music\n   master -60\n   2s"_s),
    };
    return QLabCueList { QUuid::createUuid(), AppText::sampleFirstListName(),
        {
            sampleCue(u"1"_s, CueType::audio, u"Увертюра.wav"_s,
                u"Audio \"Увертюра.wav\"\n   master -6\n   <1-2> 0"_s, {}, u"Hotkey"_s),
            sampleCue(u"1.1"_s, CueType::wait, {}, u"Wait: 30s"_s),
            sampleCue(u"1.2"_s, CueType::fade, {}, u"Fade → Увертюра\n   master -60\n   5s"_s),
            sampleCue(u"2"_s, CueType::audio, u"thunder.mp3"_s,
                u"Audio \"thunder.mp3\"\n   master -12\n   <1-2> 0"_s,
                u"/name_Сильная гроза с громом и молнией/"_s, u"MIDI Trigger: Note 60"_s),
            sampleCue(u"3"_s, CueType::midi, {}, u"MIDI\n   Control Change, CH 1, CC 60, Val 64"_s),
            sampleCue(u"4"_s, CueType::network, u"OSC Command"_s, u"Network: OSC Command"_s),
            sampleCue(u"5"_s, CueType::audio, u"rain.wav"_s, u"Audio \"rain.wav\"\n   master -6"_s,
                u"/name_Дождь/"_s),
            sampleCue(u"5.1"_s, CueType::start, {}, u"Start → rain"_s),
            sampleCue(u"5.2"_s, CueType::stop, {}, u"Stop → rain"_s),
            sampleCue(u"6"_s, CueType::start, {}, u"Start → Увертюра"_s),
            sampleCue(u"7"_s, CueType::audio, u"background.aif"_s,
                u"Audio \"background.aif\"\n   master -60\n   <1-2> 0"_s),
            sampleCue(u"8"_s, CueType::fade, {}, u"Fade → background\n   master 0\n   3s"_s),
            sampleCue(u"10"_s, CueType::group, u"Сцена грозы"_s,
                u"Audio \"rain_loop.wav\"\n   master -6\nFade → music\n   master -60\n   2s\n"
                u"Wait: 5s\nMIDI\n   Control Change, CH 1, CC 60, Val 64"_s,
                {}, u"(triggers inside)"_s, stormChildren),
        } };
}

QLabCueList secondAct()
{
    return QLabCueList { QUuid::createUuid(), AppText::sampleSecondListName(),
        {
            sampleCue(u"100"_s, CueType::video, u"intro.mp4"_s, u"Video"_s, {},
                u"Wall Clock: 20:30:00"_s),
            sampleCue(u"101"_s, CueType::audio, u"music.wav"_s,
                u"Audio \"music.wav\"\n   master 0"_s, u"/name_Финальная музыка/"_s),
            sampleCue(u"102"_s, CueType::pause, {}, u"Pause → music"_s),
            sampleCue(u"103"_s, CueType::audio, u"finale.wav"_s,
                u"Audio \"finale.wav\"\n   master 0"_s, {},
                u"Hotkey\nFade & Stop: peers (5s)\nDuck: -12dB (3s)"_s),
        } };
}

} // namespace

QLabProject QLabProject::demo()
{
    return created(AppText::sampleProjectName(), { firstAct(), secondAct() });
}
