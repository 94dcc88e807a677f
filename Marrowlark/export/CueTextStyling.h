#pragma once

#include "model/CueType.h"

#include <QList>
#include <QRegularExpression>
#include <QStringList>
#include <QStringView>

#include <span>

// How cue texts are styled wherever they are shown (the cue table, the PDF and the workbook): an
// action header line is recognised by its leading words and shown as a short word in the colour
// of a cue type; a description line has its keywords set in bold and its measures (durations,
// levels, rates, MIDI terms) in italics. One copy of the tables serves every user.
namespace CueTextStyling {

struct ActionTypePrefix
{
    QStringView prefix;
    QStringView word;
    CueType type;
};

enum class DescStyle { bold, italic };

// A range of one line in UTF-16 code units.
struct HighlightRange
{
    qsizetype start = 0;
    qsizetype length = 0;
    DescStyle style = DescStyle::bold;

    qsizetype end() const { return start + length; }
    friend bool operator==(const HighlightRange &, const HighlightRange &) = default;
};

// Tried in order; longer prefixes stand before the shorter ones they begin with.
std::span<const ActionTypePrefix> actionTypePrefixes();
// Searched in order; a longer keyword stands before a shorter one that begins it.
std::span<const QStringView> descriptionKeywords();
QStringList highlightPatternSources();
// Compiled once, on first use, in table order.
const QList<QRegularExpression> &highlightPatterns();

// Compiles the sources in order; one that does not compile is left out.
QList<QRegularExpression> compilePatterns(const QStringList &sources);

// The first row whose prefix begins the header line (already trimmed), or null.
const ActionTypePrefix *actionTypePrefix(QStringView trimmedLine);

// Keyword occurrences (bold) and pattern matches (italic) of one line, in ascending order and
// without overlaps: at one start the earlier recorded range wins (keywords before patterns,
// earlier table rows first), and a range starting inside a kept one is dropped.
QList<HighlightRange> highlightedRanges(QStringView line);
QList<HighlightRange> highlightedRanges(
    QStringView line, const QList<QRegularExpression> &patterns);

} // namespace CueTextStyling
