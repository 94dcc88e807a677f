#include "import/MarkerText.h"

#include "import/ActionTextLayout.h"
#include "qlab/OSCLevelFormatter.h"
#include "qlab/OSCValue.h"

#include <cmath>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// printf in the C locale: a point as the decimal separator whatever the user's locale.
QString format(const char *pattern, double value)
{
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return QString::fromLatin1(buffer);
}

QString parameter(const QString &text)
{
    return ActionTextLayout::parameterIndent.toString() + text;
}

QString whole(double value)
{
    return QString::number(OSCValue::rounded(value));
}

} // namespace

QString MarkerText::formatDuration(double seconds)
{
    if (seconds >= 60) {
        const double minutes = std::trunc(seconds / 60);
        const double rest = std::trunc(std::fmod(seconds, 60));
        const QString text = format("%.0f", minutes) + u'm';
        return rest < 1 ? text : text + u' ' + format("%.0f", rest);
    }
    if (seconds != std::trunc(seconds))
        return format("%.1f", seconds);
    return format("%.0f", seconds);
}

std::optional<QString> MarkerText::waitLine(QStringView label, double seconds)
{
    if (!std::isfinite(seconds) || !(seconds > 0.001))
        return std::nullopt;
    const QString text = formatDuration(seconds);
    return label.toString() + u": "_s + text + (text.endsWith(u'm') ? QString() : u"s"_s);
}

QStringList MarkerText::fadeLines(
    const FadeOSCParams &params, const QString &target, std::optional<double> duration)
{
    QStringList lines;
    lines << (target.isEmpty() ? u"Fade"_s
                               : u"Fade"_s + ActionTextLayout::arrow.toString() + target);
    for (const QString &line : OSCLevelFormatter::formatFadeLevelLines(params.activeLevels))
        lines << parameter(line);
    if (!params.hasActiveLevel && !params.doRate && !params.opacity && !params.rotation
        && !params.scaleX && !params.translationX)
        lines << parameter(u"Audio FX"_s);
    if (params.rate)
        lines << parameter(u"rate "_s + format("%.1f", *params.rate));
    if (params.opacity)
        lines << parameter(u"opacity %1%"_s.arg(opacityPercent(*params.opacity)));
    if (params.rotation && *params.rotation != 0)
        lines << parameter(u"rotation "_s + whole(*params.rotation) + u'\u00B0');
    if (params.scaleX && params.scaleY && !(*params.scaleX == 1.0 && *params.scaleY == 1.0))
        lines << parameter(
            u"scale "_s + format("%.1f", *params.scaleX) + u'x' + format("%.1f", *params.scaleY));
    if (params.translationX && params.translationY
        && !(*params.translationX == 0 && *params.translationY == 0))
        lines << parameter(
            u"translate "_s + whole(*params.translationX) + u',' + whole(*params.translationY));
    if (duration && *duration > 0)
        lines << parameter(whole(*duration) + u's');
    if (params.stopTargetWhenDone)
        lines << parameter(u"stop when done"_s);
    return lines;
}

qint64 MarkerText::opacityPercent(double opacity)
{
    // 0.29 * 100 is 28.999999999999996: nudge by far less than any real step before truncating.
    const double percent = opacity * 100;
    return OSCValue::wholePart(percent + std::copysign(1e-9, percent)).value_or(0);
}

bool MarkerText::isVoiceMessage(const std::optional<QJsonValue> &messageType)
{
    return OSCValue::integerValue(messageType) == 1;
}

QString MarkerText::midiKind(
    const std::optional<QJsonValue> &messageType, const std::optional<QJsonValue> &status)
{
    if (messageType && messageType->isString())
        return messageType->toString();
    const std::optional<qint64> type = OSCValue::integerValue(messageType);
    if (!type)
        return {};
    switch (*type) {
    case 1:
        break;
    case 2:
        return u"MSC"_s;
    case 3:
        return u"SysEx"_s;
    default:
        return u"cmd "_s + QString::number(*type);
    }
    static const QStringList voiceKinds { u"Note Off"_s, u"Note On"_s, u"Key Pressure"_s,
        u"Control Change"_s, u"Program Change"_s, u"Channel Pressure"_s, u"Pitch Bend"_s };
    const std::optional<qint64> kind = OSCValue::integerValue(status);
    if (!kind)
        return {};
    return *kind >= 0 && *kind < voiceKinds.size() ? voiceKinds.at(*kind)
                                                   : u"cmd "_s + QString::number(*kind);
}

QString MarkerText::clockText(double seconds)
{
    const std::optional<qint64> total = seconds > 0 ? OSCValue::wholePart(seconds) : std::nullopt;
    if (!total)
        return {};
    if (*total < 3600)
        return QString::asprintf("%lld:%02lld", *total / 60, *total % 60);
    return QString::asprintf("%lld:%02lld:%02lld", *total / 3600, *total % 3600 / 60, *total % 60);
}
