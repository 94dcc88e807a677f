#include "export/CueTextStyling.h"

#include <algorithm>
#include <array>

namespace CueTextStyling {

namespace {

constexpr std::array<ActionTypePrefix, 19> prefixTable { {
    { u"Fade (fx) \u2192", u"Fade FX", CueType::fade },
    { u"Fade \u2192", u"Fade", CueType::fade },
    { u"Audio", u"Audio", CueType::audio },
    { u"Video", u"Video", CueType::video },
    { u"Mic", u"Mic", CueType::mic },
    { u"MIDI", u"MIDI", CueType::midi },
    { u"Network", u"Network", CueType::network },
    { u"Wait", u"Wait", CueType::wait },
    { u"Start \u2192", u"Start", CueType::start },
    { u"Stop \u2192", u"Stop", CueType::stop },
    { u"Pause \u2192", u"Pause", CueType::pause },
    { u"Light", u"Light", CueType::light },
    { u"Script", u"Script", CueType::script },
    { u"Camera", u"Camera", CueType::camera },
    { u"Text", u"Text", CueType::text },
    { u"Timecode", u"Timecode", CueType::timecode },
    { u"Devamp \u2192", u"Devamp", CueType::devamp },
    { u"Devamp", u"Devamp", CueType::devamp },
    { u"Group", u"Subgroup", CueType::group },
} };

constexpr std::array<QStringView, 45> keywordTable { {
    u"Воспроизводится",
    u"Plays",
    u"Фейд",
    u"Fade",
    u"Запускается",
    u"Starts",
    u"Start",
    u"Останавливается",
    u"Stops",
    u"Stop",
    u"На паузу",
    u"Pauses",
    u"Pause",
    u"Пауза",
    u"Ожидание",
    u"Wait",
    u"Включается",
    u"Turns on",
    u"MIDI",
    u"Сетевая команда",
    u"Network command",
    u"Изменение громкости",
    u"Volume change",
    u"Изменяются параметры",
    u"Parameters change",
    u"Devamp",
    u"Timecode",
    u"Микрофон",
    u"Microphone",
    u"Свет:",
    u"Light:",
    u"Световая команда",
    u"Light command",
    u"Скрипт",
    u"Script",
    u"Текст:",
    u"Text:",
    u"Камера",
    u"Camera",
    u"Через",
    u"After",
    u"после",
    u"then after",
    u"следующий Cue",
    u"next Cue",
} };

} // namespace

std::span<const ActionTypePrefix> actionTypePrefixes()
{
    return prefixTable;
}

std::span<const QStringView> descriptionKeywords()
{
    return keywordTable;
}

QStringList highlightPatternSources()
{
    return {
        QStringLiteral(u"\\d+\\.?\\d*\\s*сек"),
        QStringLiteral(u"\\d+\\.?\\d*\\s*sec"),
        QStringLiteral(u"\\d+\\.?\\d*s\\b"),
        QStringLiteral(u"-?\\d+\\.?\\d*\\s*dB"),
        QStringLiteral(u"-?inf\\s*dB"),
        QStringLiteral(u"\\(уровень[^)]*\\)"),
        QStringLiteral(u"\\(level[^)]*\\)"),
        QStringLiteral(u"\\(без звука\\)"),
        QStringLiteral(u"\\(muted\\)"),
        QStringLiteral(u"rate\\s+\\d+\\.?\\d*"),
        QStringLiteral(u"master\\s+-?\\d+\\.?\\d*"),
        QStringLiteral(u"за\\s+\\d+\\.?\\d*\\s*сек"),
        QStringLiteral(u"for\\s+\\d+\\.?\\d*\\s*sec"),
        QStringLiteral(u"pre-wait:\\s*\\d+\\.?\\d*\\w*\\s*\\w*"),
        QStringLiteral(u"post-wait:\\s*\\d+\\.?\\d*\\w*\\s*\\w*"),
        QStringLiteral(u"Note\\s+\\d+"),
        QStringLiteral(u"CC\\b"),
        QStringLiteral(u"MSC"),
    };
}

QList<QRegularExpression> compilePatterns(const QStringList &sources)
{
    QList<QRegularExpression> compiled;
    compiled.reserve(sources.size());
    for (const QString &source : sources) {
        // Case-sensitive; Unicode classes so that \d, \s, \w and \b also cover Cyrillic text.
        QRegularExpression pattern(source, QRegularExpression::UseUnicodePropertiesOption);
        if (pattern.isValid()) {
            pattern.optimize();
            compiled.append(pattern);
        }
    }
    return compiled;
}

const QList<QRegularExpression> &highlightPatterns()
{
    static const QList<QRegularExpression> patterns = compilePatterns(highlightPatternSources());
    return patterns;
}

const ActionTypePrefix *actionTypePrefix(QStringView trimmedLine)
{
    const auto found = std::find_if(prefixTable.begin(), prefixTable.end(),
        [trimmedLine](const ActionTypePrefix &row) { return trimmedLine.startsWith(row.prefix); });
    return found == prefixTable.end() ? nullptr : &*found;
}

QList<HighlightRange> highlightedRanges(QStringView line)
{
    return highlightedRanges(line, highlightPatterns());
}

QList<HighlightRange> highlightedRanges(QStringView line, const QList<QRegularExpression> &patterns)
{
    if (line.isEmpty())
        return {};

    QList<HighlightRange> recorded;
    for (QStringView keyword : keywordTable) {
        for (qsizetype at = line.indexOf(keyword); at >= 0;
             at = line.indexOf(keyword, at + keyword.size()))
            recorded.append({ at, keyword.size(), DescStyle::bold });
    }
    for (const QRegularExpression &pattern : patterns) {
        QRegularExpressionMatchIterator matches = pattern.globalMatch(line);
        while (matches.hasNext()) {
            const QRegularExpressionMatch match = matches.next();
            if (match.capturedLength() > 0)
                recorded.append(
                    { match.capturedStart(), match.capturedLength(), DescStyle::italic });
        }
    }
    std::stable_sort(recorded.begin(), recorded.end(),
        [](const HighlightRange &a, const HighlightRange &b) { return a.start < b.start; });

    // Kept ranges are ascending and disjoint, so only the last kept one can overlap the next.
    QList<HighlightRange> kept;
    for (const HighlightRange &range : recorded) {
        if (kept.isEmpty() || range.start >= kept.constLast().end())
            kept.append(range);
    }
    return kept;
}

} // namespace CueTextStyling
