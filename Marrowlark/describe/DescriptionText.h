#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// The text operations that the cue describers share: names without media extensions, the
// target after a marker, and numbers and labels read from an action's parameter lines.
namespace DescriptionText {

// Every line break character ends a line, so a CRLF leaves an empty line between the two.
QStringList splitAtLineBreaks(QStringView text);

// The first of ".wav", ".aif", ".aiff", ".mp3", ".m4a", ".flac", ".mov", ".mp4" that the name
// ends with in any letter case, removed once.
QString stripMediaExtension(const QString &name);

// What follows the first marker on its own line, up to a comma, trimmed; nothing when empty.
std::optional<QString> extractTarget(QStringView text, QStringView marker);

// Effect keywords found in any letter case, each once, in code point order.
QStringList detectEffects(QStringView text);

// The parameter lines of a text (three blanks or a tab), without hidden and wait lines: where
// levels, rates, effects and durations are read, never from a name on a header line.
QString parameterLines(QStringView text);

// A "rate" parameter line, whether or not its value reads as a number.
bool hasRateLine(QStringView parameters);
// Opacity, rotation, scale or translation.
bool hasVisualParameters(QStringView parameters);

// Seconds: a number (decimals too) followed by "s" on one line, else the whole number after
// "duration"; never from a wait line.
std::optional<double> parseDuration(QStringView text);
// Whole seconds without a fraction, others with one decimal as "%.1f" gives it in the C locale
// (0.25 gives 0.2), whatever the process locale is; "∞" for an endless wait. No integer conversion,
// so values beyond 64 bits are written in full.
QString formatSeconds(double seconds);
std::optional<qint64> parseMasterLevel(const QString &text);
// "master -6 dB, <1-2> 0 dB"; "level change" when the text holds no level.
QString describeLevels(const QString &text);
// The rate as written, e.g. "1.5".
std::optional<QString> parseRate(const QString &text);
std::optional<qint64> parseMIDINote(const QString &text);
// "Note 60", "Note On", "Control Change", ...; the same in both languages.
std::optional<QString> midiMessageLabel(const QString &text);
// Whole seconds after "Wait"; never from a wait line.
std::optional<qint64> parseWaitSeconds(QStringView text);
// The text between the first pair of straight or typographic double quotation marks.
std::optional<QString> extractQuotedName(const QString &text);
// The name part of a line after its kind word, a colon and a leading "Cue".
QString stripKindPrefix(QStringView line, QStringView kind);

// Between two straight double quotation marks.
QString quoted(const QString &text);

} // namespace DescriptionText
