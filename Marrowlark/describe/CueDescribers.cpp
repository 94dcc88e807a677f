#include "describe/CueDescribers.h"

#include "describe/DescriptionText.h"
#include "model/AppText.h"

#include <QStringList>

namespace CueDescribers {

using namespace Qt::StringLiterals;
using namespace DescriptionText;

QString describeAudioCue(const QString &action, const QString &name)
{
    QString text
        = AppText::playing(name.isEmpty() ? AppText::audioWord() : stripMediaExtension(name));
    // Levels come from the parameter lines: a file name such as "remaster 2.wav" is no level.
    const QString parameters = parameterLines(action);
    if (!parameters.contains(u"master"))
        return text;
    const std::optional<qint64> level = parseMasterLevel(parameters);
    if (!level || *level >= 0)
        return text;
    if (*level < -49)
        return text + u' ' + AppText::mutedWord();
    return text + u' ' + AppText::levelDecibels(*level);
}

QString describeVideoCue(const QString &name)
{
    return AppText::playing(name.isEmpty() ? AppText::videoWord() : stripMediaExtension(name));
}

QString describeMIDICue(const QString &action)
{
    if (action.contains(u"Note On")) {
        if (const std::optional<qint64> note = parseMIDINote(action))
            return AppText::midiNoteCommand(*note);
        return AppText::sendingMIDINoteOn();
    }
    if (action.contains(u"CC") || action.contains(u"Control Change"))
        return AppText::sendingMIDICC();
    if (action.contains(u"MSC"))
        return AppText::sendingMSCCommand();
    if (action.contains(u"Prog"))
        return AppText::midiProgramChange();
    return AppText::sendingMIDI();
}

QString describeFadeCue(const QString &action)
{
    // Every parameter is read below the header, never from the target's name.
    const QString parameters = parameterLines(action);
    QString text;
    if (const std::optional<QString> target = extractTarget(action, u"Fade \u2192")) {
        QStringList parts;
        if (const std::optional<qint64> level = parseMasterLevel(parameters)) {
            if (*level <= -50)
                parts.append(AppText::fadesToSilence());
            else if (*level == 0)
                parts.append(AppText::volumeRestored());
            else
                parts.append(u"master "_s + QString::number(*level) + u" dB"_s);
        }
        if (const std::optional<QString> rate = parseRate(parameters))
            parts.append(u"rate "_s + *rate);
        else if (hasRateLine(parameters))
            parts.append(AppText::rateChange());
        if (hasVisualParameters(parameters))
            parts.append(AppText::visualParametersChange());
        if (parameters.contains(u"Audio FX")
            || (parts.isEmpty() && action.contains(u"изменение параметров эффекта")))
            parts.append(AppText::parametersChange());
        text = parts.isEmpty() ? AppText::fadeOf(*target)
                               : AppText::fadeOfWithDetail(*target, parts.join(u"; "_s));
    } else if (const std::optional<QString> effect = extractTarget(action, u"Fade (fx) \u2192")) {
        text = AppText::effectParametersChange(*effect);
    } else {
        return AppText::volumeChange();
    }
    if (const std::optional<double> seconds = parseDuration(parameters))
        text += u' ' + AppText::overSeconds(formatSeconds(*seconds));
    return text;
}

QString describeWaitCue(const QString &action)
{
    if (const std::optional<qint64> seconds = parseWaitSeconds(action))
        return AppText::waitSeconds(*seconds);
    return AppText::pauseWord();
}

QString describePauseCue(const QString &action)
{
    if (const std::optional<QString> target = extractTarget(action, u"Pause \u2192"))
        return AppText::pausesList(*target);
    return AppText::pauseWord();
}

QString describeMicCue(const QString &name)
{
    return AppText::micOn(name.isEmpty() ? AppText::microphoneWord() : name);
}

QString describeDevampCue(const QString &action, const QString &name)
{
    // One form in both languages.
    if (const std::optional<QString> target = extractTarget(action, u"Devamp \u2192"))
        return u"Devamp: "_s + *target;
    if (!name.isEmpty())
        return u"Devamp: "_s + name;
    return u"Devamp"_s;
}

QString describeNetworkCue(const QString &name)
{
    return name.isEmpty() ? AppText::networkCommand() : AppText::networkCommandText(name);
}

QString describeLightCue(const QString &name)
{
    return name.isEmpty() ? AppText::lightCommand() : AppText::lightText(name);
}

QString describeScriptCue(const QString &name)
{
    return name.isEmpty() ? AppText::scriptWord() : AppText::scriptText(name);
}

QString describeTextCue(const QString &name)
{
    // The English word in both languages.
    return AppText::textCueText(name.isEmpty() ? u"Text"_s : name);
}

QString describeCameraCue(const QString &name)
{
    return name.isEmpty() ? AppText::cameraWord() : AppText::cameraText(name);
}

} // namespace CueDescribers
