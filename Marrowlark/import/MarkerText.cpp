#include "import/MarkerText.h"

#include "model/ActionTextLayout.h"
#include "model/DecimalText.h"
#include "qlab/OSCLevelFormatter.h"
#include "qlab/OSCValue.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

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
        const QString text = fixedDecimal(minutes, 0) + u'm';
        return rest < 1 ? text : text + u' ' + fixedDecimal(rest, 0);
    }
    if (seconds != std::trunc(seconds))
        return fixedDecimal(seconds, 1);
    return fixedDecimal(seconds, 0);
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
        lines << parameter(u"rate "_s + fixedDecimal(*params.rate, 1));
    if (params.opacity)
        lines << parameter(u"opacity %1%"_s.arg(opacityPercent(*params.opacity)));
    if (params.rotation && *params.rotation != 0)
        lines << parameter(u"rotation "_s + whole(*params.rotation) + u'\u00B0');
    if (params.scaleX && params.scaleY && !(*params.scaleX == 1.0 && *params.scaleY == 1.0))
        lines << parameter(
            u"scale "_s + fixedDecimal(*params.scaleX, 1) + u'x' + fixedDecimal(*params.scaleY, 1));
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
