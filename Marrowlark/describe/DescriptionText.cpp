#include "describe/DescriptionText.h"

#include "model/ActionTextLayout.h"
#include "model/AppText.h"
#include "model/DecimalText.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace DescriptionText {

namespace {

using namespace Qt::StringLiterals;

constexpr auto unicode = QRegularExpression::UseUnicodePropertiesOption;
constexpr auto caseless
    = QRegularExpression::UseUnicodePropertiesOption | QRegularExpression::CaseInsensitiveOption;

constexpr std::array<QStringView, 8> mediaExtensions
    = { u".wav", u".aif", u".aiff", u".mp3", u".m4a", u".flac", u".mov", u".mp4" };

constexpr std::array<QStringView, 10> effectKeywords = { u"effect", u"effects", u"fx", u"GEQ",
    u"EQ", u"Reverb", u"Delay", u"Compressor", u"Limiter", u"Apple" };

bool isLineBreak(QChar c)
{
    switch (c.unicode()) {
    case u'\n':
    case u'\r':
    case u'\v':
    case u'\f':
    case 0x0085:
    case 0x2028:
    case 0x2029:
        return true;
    default:
        return false;
    }
}

std::optional<qint64> toInteger(QStringView digits)
{
    bool ok = false;
    const qint64 value = digits.toLongLong(&ok, 10);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

std::optional<QString> firstCapture(const QRegularExpression &pattern, QStringView text)
{
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1);
}

std::optional<qint64> firstInteger(const QRegularExpression &pattern, QStringView text)
{
    const std::optional<QString> capture = firstCapture(pattern, text);
    return capture ? toInteger(*capture) : std::nullopt;
}

QString keptLines(QStringView text, bool (*keep)(QStringView line))
{
    QStringList kept;
    for (const QString &line : splitAtLineBreaks(text)) {
        if (keep(line))
            kept.append(line);
    }
    return kept.join(u'\n');
}

// The text without its "pre-wait:" and "post-wait:" lines.
QString withoutWaitLines(QStringView text)
{
    return keptLines(text, [](QStringView line) { return !ActionTextLayout::isWaitLine(line); });
}

} // namespace

QStringList splitAtLineBreaks(QStringView text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isLineBreak(text[i])) {
            lines.append(text.sliced(start, i - start).toString());
            start = i + 1;
        }
    }
    lines.append(text.sliced(start).toString());
    return lines;
}

QString stripMediaExtension(const QString &name)
{
    for (QStringView extension : mediaExtensions) {
        if (name.endsWith(extension, Qt::CaseInsensitive))
            return name.chopped(extension.size());
    }
    return name;
}

std::optional<QString> extractTarget(QStringView text, QStringView marker)
{
    const qsizetype at = text.indexOf(marker);
    if (at < 0)
        return std::nullopt;
    QStringView rest = text.sliced(at + marker.size());
    const qsizetype second = rest.indexOf(marker);
    if (second >= 0)
        rest = rest.first(second);
    // Cut at the line break before trimming, so that a marker with nothing after it does not
    // take the next line as its target.
    const auto lineEnd = std::find_if(rest.begin(), rest.end(), isLineBreak);
    rest = rest.first(lineEnd - rest.begin());
    const qsizetype comma = rest.indexOf(u',');
    if (comma >= 0)
        rest = rest.first(comma);
    rest = rest.trimmed();
    if (rest.isEmpty())
        return std::nullopt;
    return rest.toString();
}

QStringList detectEffects(QStringView text)
{
    QStringList found;
    for (QStringView keyword : effectKeywords) {
        if (text.contains(keyword, Qt::CaseInsensitive))
            found.append(keyword.toString());
    }
    found.removeDuplicates();
    std::sort(found.begin(), found.end());
    return found;
}

QString parameterLines(QStringView text)
{
    return keptLines(text, [](QStringView line) {
        return ActionTextLayout::isParameterLine(line) && !ActionTextLayout::isWaitLine(line)
            && !ActionTextLayout::isHiddenLine(line);
    });
}

bool hasRateLine(QStringView parameters)
{
    return parameters.contains(u"   rate ") || parameters.contains(u"\trate ");
}

bool hasVisualParameters(QStringView parameters)
{
    return parameters.contains(u"opacity") || parameters.contains(u"rotation")
        || parameters.contains(u"scale") || parameters.contains(u"translate");
}

std::optional<double> parseDuration(QStringView text)
{
    // A number, not the tail of a longer number, then "s" on the same line.
    static const QRegularExpression seconds(u"(?<![\\d.])(\\d+(?:\\.\\d+)?)[ \\t]*s"_s, caseless);
    static const QRegularExpression durationWord(u"duration\\s+(\\d+)"_s, caseless);
    static const QRegularExpression durationColon(u"duration:\\s*(\\d+)"_s, caseless);
    const QString searched = withoutWaitLines(text);
    for (const QRegularExpression *pattern : { &seconds, &durationWord, &durationColon }) {
        const std::optional<QString> capture = firstCapture(*pattern, searched);
        bool ok = false;
        const double value = capture ? capture->toDouble(&ok) : 0;
        // As with every number read here, one beyond 64 bits counts as absent.
        if (ok && value < 0x1p63)
            return value;
    }
    return std::nullopt;
}

QString formatSeconds(double seconds)
{
    if (std::isinf(seconds))
        return u"\u221E"_s;
    return fixedDecimal(seconds, seconds == std::trunc(seconds) ? 0 : 1);
}

std::optional<qint64> parseMasterLevel(const QString &text)
{
    static const QRegularExpression master(u"master\\s+(-?\\d+)"_s, unicode);
    return firstInteger(master, text);
}

QString describeLevels(const QString &text)
{
    static const QRegularExpression channel(u"<([^>]+)>\\s*(-?\\d+)"_s, unicode);
    QStringList parts;
    if (const std::optional<qint64> level = parseMasterLevel(text)) {
        const QString shown = *level < -49 ? u"-inf"_s : QString::number(*level);
        parts.append(u"master "_s + shown + u" dB"_s);
    }
    for (const QRegularExpressionMatch &match : channel.globalMatch(text)) {
        QString level = match.captured(2);
        if (const std::optional<qint64> value = toInteger(level); value && *value < -49)
            level = u"-inf"_s;
        parts.append(u'<' + match.captured(1) + u"> "_s + level + u" dB"_s);
    }
    if (parts.isEmpty())
        return AppText::levelChange();
    return parts.join(u", "_s);
}

std::optional<QString> parseRate(const QString &text)
{
    static const QRegularExpression rate(u"rate\\s+(-?\\d+(?:\\.\\d+)?)"_s, caseless);
    return firstCapture(rate, text);
}

std::optional<qint64> parseMIDINote(const QString &text)
{
    static const QRegularExpression note(u"Note\\s+(\\d+)"_s, unicode);
    return firstInteger(note, text);
}

std::optional<QString> midiMessageLabel(const QString &text)
{
    if (const std::optional<qint64> note = parseMIDINote(text))
        return u"Note "_s + QString::number(*note);
    if (text.contains(u"Note On"))
        return u"Note On"_s;
    if (text.contains(u"Note Off"))
        return u"Note Off"_s;
    if (text.contains(u"CC") || text.contains(u"Control Change"))
        return u"Control Change"_s;
    if (text.contains(u"MSC"))
        return u"MSC"_s;
    if (text.contains(u"Prog") || text.contains(u"Program Change"))
        return u"Program Change"_s;
    return std::nullopt;
}

std::optional<qint64> parseWaitSeconds(QStringView text)
{
    static const QRegularExpression wait(u"Wait:?\\s*(\\d+)"_s, caseless);
    // "pre-wait: 3s" is a member's wait, not the duration of a Wait.
    return firstInteger(wait, withoutWaitLines(text));
}

std::optional<QString> extractQuotedName(const QString &text)
{
    // Any of the three marks opens and closes; the name stays on one line.
    static const QRegularExpression quotation(
        u"[\"\u201C\u201D]([^\\n\\r\\x{0B}\\x{0C}\\x{85}\\x{2028}\\x{2029}]*?)[\"\u201C\u201D]"_s,
        unicode);
    return firstCapture(quotation, text);
}

QString stripKindPrefix(QStringView line, QStringView kind)
{
    QStringView rest = line.startsWith(kind) ? line.sliced(kind.size()) : line;
    rest = rest.trimmed();
    if (rest.startsWith(u':'))
        rest = rest.sliced(1).trimmed();
    if (rest == u"Cue")
        return {};
    if (rest.startsWith(u"Cue "))
        rest = rest.sliced(4).trimmed();
    return rest.toString();
}

QString quoted(const QString &text)
{
    return u'"' + text + u'"';
}

} // namespace DescriptionText
