// What each of the six cells of a cue row shows, laid out for measuring and painting alike.

#include "ui/ExcelTableView.h"

#include "model/ActionTextLayout.h"
#include "model/AppText.h"
#include "model/DecimalText.h"
#include "model/LanguageManager.h"
#include "ui/Palette.h"

#include <QHash>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr int actionLineLimit = 20;
constexpr int groupBlockLimit = 20;
constexpr int blockParamLimit = 10;
// An action is read no further than a single cue's shown lines could reach, and one more line to
// tell that there are more.
constexpr qsizetype actionTextLimit = (actionLineLimit + 1) * CellContent::textLimit;
const QString placeholder = u"\u2014"_s;
const QString ellipsis = u"\u2026"_s;

QFont makeFont(const QString &family, int pixelSize, QFont::Weight weight, bool italic)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    font.setItalic(italic);
    return font;
}

QFont sans(int pixelSize, QFont::Weight weight = QFont::Normal, bool italic = false)
{
    return makeFont(u"DejaVu Sans"_s, pixelSize, weight, italic);
}

QFont mono(int pixelSize, QFont::Weight weight = QFont::Normal)
{
    return makeFont(u"DejaVu Sans Mono"_s, pixelSize, weight, false);
}

// The fonts are built once; QFont copies are cheap.
struct Fonts
{
    QFont sans9Semibold = sans(9, QFont::DemiBold);
    QFont sans10 = sans(10);
    QFont sans10Semibold = sans(10, QFont::DemiBold);
    QFont sans11 = sans(11);
    QFont sans11Semibold = sans(11, QFont::DemiBold);
    QFont sans11Italic = sans(11, QFont::Normal, true);
    QFont mono10 = mono(10);
    QFont mono11 = mono(11);
    QFont mono11Medium = mono(11, QFont::Medium);
    QFont mono11Semibold = mono(11, QFont::DemiBold);
};

const Fonts &fonts()
{
    static const Fonts shared;
    return shared;
}

QColor primary()
{
    return Palette::primaryText();
}

QColor secondary()
{
    return Palette::mutedText();
}

QColor tertiary()
{
    QColor color = Palette::mutedText();
    color.setAlphaF(0.55f);
    return color;
}

QColor cyan()
{
    return LanguageManager::shared().isDark() ? QColor(100, 210, 255) : QColor(50, 173, 230);
}

QColor withOpacity(QColor color, float opacity)
{
    color.setAlphaF(opacity);
    return color;
}

// Spaces and tabs only: line breaks stay.
QStringView trimBlanks(QStringView text)
{
    const auto isBlank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

// Chip labels, placeholders, parameter and wait lines repeat across a show, so their layouts
// are shared. Keyed by the font's address: every font here lives in fonts().
struct LayoutKey
{
    QString text;
    const QFont *font;
    qreal width;
    friend bool operator==(const LayoutKey &, const LayoutKey &) = default;
};

size_t qHash(const LayoutKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.text, quintptr(key.font), key.width);
}

std::shared_ptr<const QTextLayout> sharedLayout(const QString &text, const QFont &font, qreal width)
{
    static QHash<LayoutKey, std::shared_ptr<const QTextLayout>> layouts;
    constexpr qsizetype limit = 20000;
    LayoutKey key { text, &font, width };
    if (const auto found = layouts.constFind(key); found != layouts.cend())
        return *found;
    if (layouts.size() >= limit)
        layouts.clear();
    auto layout = CellContent::layoutText(text, font, width);
    layouts.insert(std::move(key), layout);
    return layout;
}

CellContent textContent(const QString &text, const QFont &font, const QColor &color, qreal width)
{
    CellContent content;
    content.addText({}, sharedLayout(CellContent::shownText(text), font, width), color);
    return content;
}

CellContent chip(const QString &label, const QColor &color, const QFont &font, qreal padX,
    qreal padY, qreal radius)
{
    auto layout = sharedLayout(label, font, 0);
    const QSizeF size(
        CellContent::textWidth(*layout) + 2 * padX, CellContent::textHeight(*layout) + 2 * padY);
    CellContent content;
    content.chips.append({ QRectF(QPointF(0, 0), size), withOpacity(color, 0.12f), radius });
    content.addText(QPointF(padX, padY), std::move(layout), color);
    content.width = size.width();
    content.height = size.height();
    return content;
}

// A chip and, when there is one, a text beside it wrapped in the rest of the width; both centred
// on the row.
CellContent chipRow(const CellContent &leading, qreal spacing, const QString &rest,
    const QFont &font, const QColor &color, qreal width)
{
    if (rest.isEmpty())
        return leading;
    const qreal x = leading.width + spacing;
    CellContent text = textContent(rest, font, color, qMax<qreal>(1, width - x));
    const qreal rowHeight = qMax(leading.height, text.height);
    CellContent row;
    row.place(leading, QPointF(0, (rowHeight - leading.height) / 2));
    row.place(text, QPointF(x, (rowHeight - text.height) / 2));
    return row;
}

QStringList visibleActionLines(const QString &action)
{
    QStringList lines = ActionTextLayout::splitLines(action);
    lines.removeIf([](const QString &line) { return ActionTextLayout::isHiddenLine(line); });
    return lines;
}

void stackWaitLines(CellContent &content, const QLabCue &cue, qreal spacing, qreal width)
{
    for (const QString &line : ExcelTableView::waitLines(cue))
        content.stackBelow(textContent(line, fonts().mono10, cyan(), width), spacing);
}

CellContent singleActionCell(const QLabCue &cue, const QStringList &lines, qreal width)
{
    constexpr qreal spacing = 2;
    CellContent content;
    if (!lines.isEmpty()) {
        ExcelTableView::ActionHeader header = ExcelTableView::classifyActionHeader(lines.first());
        if (header.label.isEmpty()) {
            header.label = rawValue(cue.type);
            header.color = cueTypeColor(cue.type);
        }
        content = chipRow(ExcelTableView::typeChip(header.label, header.color), 5, header.rest,
            fonts().mono11Medium, primary(), width);
    }
    for (qsizetype i = 1; i < qMin<qsizetype>(lines.size(), actionLineLimit); ++i) {
        const bool parameter = ActionTextLayout::isParameterLine(lines[i]);
        content.stackBelow(textContent(lines[i], parameter ? fonts().mono10 : fonts().mono11Medium,
                               parameter ? secondary() : primary(), width),
            spacing);
    }
    stackWaitLines(content, cue, spacing, width);
    if (lines.size() > actionLineLimit)
        content.stackBelow(textContent(ellipsis, fonts().sans10, tertiary(), width), spacing);
    return content;
}

CellContent groupActionCell(const QLabCue &cue, const QStringList &lines, qreal width)
{
    constexpr qreal spacing = 4;
    const QList<ExcelTableView::ActionBlock> blocks = ExcelTableView::parseActionBlocks(lines);
    CellContent content;
    for (qsizetype b = 0; b < qMin<qsizetype>(blocks.size(), groupBlockLimit); ++b) {
        const ExcelTableView::ActionBlock &block = blocks[b];
        const ExcelTableView::ActionHeader header
            = ExcelTableView::classifyActionHeader(block.headerLine);
        const CellContent label = header.label.isEmpty()
            ? ExcelTableView::typeChip(u"Cue"_s, QColor::fromRgbF(0.5f, 0.5f, 0.5f))
            : ExcelTableView::typeChip(header.label, header.color);
        CellContent entry = chipRow(label, 5, header.rest, fonts().mono11Medium, primary(), width);
        for (qsizetype p = 0; p < qMin<qsizetype>(block.paramLines.size(), blockParamLimit); ++p) {
            const QString &line = block.paramLines[p];
            entry.stackBelow(textContent(line, fonts().mono10,
                                 ActionTextLayout::isWaitLine(line) ? cyan() : secondary(), width),
                1);
        }
        content.stackBelow(entry, spacing);
    }
    stackWaitLines(content, cue, spacing, width);
    if (blocks.size() > groupBlockLimit)
        content.stackBelow(textContent(ellipsis, fonts().sans10, tertiary(), width), spacing);
    return content;
}

} // namespace

CellContent ExcelTableView::cueTypeBadge(const QLabCue &cue, qreal width)
{
    const QString raw = rawValue(cue.type);
    const CellContent badge = chip(raw, cueTypeColor(cue.type), fonts().sans10Semibold, 6, 2, 4);
    QString detail;
    if (cue.fullTypeName && *cue.fullTypeName != raw)
        detail = QString(*cue.fullTypeName).remove(raw).trimmed();
    return chipRow(badge, 4, detail, fonts().sans10, secondary(), width);
}

CellContent ExcelTableView::numberCell(const QLabCue &cue, qreal width)
{
    if (cue.number.isEmpty())
        return {};
    return textContent(
        cue.number, cue.isGroup() ? fonts().mono11Semibold : fonts().mono11, primary(), width);
}

CellContent ExcelTableView::nameCell(const QLabCue &cue, qreal width)
{
    if (cue.name.isEmpty())
        return textContent(placeholder, fonts().sans11, tertiary(), width);
    return textContent(cue.name, fonts().sans11, primary(), width);
}

CellContent ExcelTableView::triggerCell(const QLabCue &cue, qreal width)
{
    if (cue.trigger.isEmpty())
        return textContent(placeholder, fonts().sans10, tertiary(), width);
    return textContent(cue.trigger, fonts().sans10, primary(), width);
}

CellContent ExcelTableView::actionCell(const QLabCue &cue, qreal width)
{
    if (cue.action.isEmpty() && cue.preWait == 0 && cue.postWait == 0) {
        const CellContent badge = typeChip(rawValue(cue.type), cueTypeColor(cue.type));
        return chipRow(badge, 5, placeholder, fonts().sans11, tertiary(), width);
    }
    const QStringList lines
        = visibleActionLines(CellContent::shownText(cue.action, actionTextLimit));
    return cue.isGroup() ? groupActionCell(cue, lines, width) : singleActionCell(cue, lines, width);
}

CellContent ExcelTableView::descriptionCell(const QLabCue &cue, qreal width)
{
    const QString text = descriptionDisplayText(cue);
    if (text.isEmpty() || text == placeholder)
        return textContent(placeholder, fonts().sans11, tertiary(), width);
    const StyledText styled = styledDescription(CellContent::shownText(text));
    CellContent content;
    content.addText(
        {}, CellContent::layoutText(styled.text, fonts().sans11, width, styled.formats), primary());
    return content;
}

CellContent ExcelTableView::cell(Column column, const QLabCue &cue)
{
    const qreal width = colWidths[column];
    switch (column) {
    case type:
        return cueTypeBadge(cue, width);
    case number:
        return numberCell(cue, width);
    case name:
        return nameCell(cue, width);
    case action:
        return actionCell(cue, width);
    case description:
        return descriptionCell(cue, width);
    case trigger:
        return triggerCell(cue, width);
    }
    return {};
}

CellContent ExcelTableView::typeChip(const QString &label, const QColor &color)
{
    return chip(label, color, fonts().sans9Semibold, 4, 1, 3);
}

ExcelTableView::ActionHeader ExcelTableView::classifyActionHeader(QStringView line)
{
    const QStringView trimmed = trimBlanks(line);
    if (const CueTextStyling::ActionTypePrefix *row = CueTextStyling::actionTypePrefix(trimmed)) {
        return { row->word.toString(), cueTypeColor(row->type),
            trimBlanks(trimmed.sliced(row->prefix.size())).toString() };
    }
    return { QString(), secondary(), trimmed.toString() };
}

QList<ExcelTableView::ActionBlock> ExcelTableView::parseActionBlocks(
    const QStringList &visibleLines)
{
    QList<ActionBlock> blocks;
    for (const QString &line : visibleLines) {
        if (QStringView(line).trimmed().isEmpty())
            continue;
        if (ActionTextLayout::isParameterLine(line) && !blocks.isEmpty())
            blocks.last().paramLines.append(line);
        else
            blocks.append({ line, {} });
    }
    return blocks;
}

QStringList ExcelTableView::waitLines(const QLabCue &cue)
{
    QStringList lines;
    if (cue.preWait > 0.001)
        lines.append(u"   pre-wait: "_s + formatTime(cue.preWait));
    if (cue.postWait > 0.001)
        lines.append(u"   post-wait: "_s + formatTime(cue.postWait));
    return lines;
}

QString ExcelTableView::formatTime(double seconds)
{
    // In double throughout: a wait from a file may be far beyond any integer.
    if (seconds < 60) {
        const double rounded = std::round(seconds * 10) / 10;
        return fixedDecimal(rounded, rounded == std::floor(rounded) ? 0 : 1) + u's';
    }
    const double minutes = std::trunc(seconds / 60);
    const double rest = std::trunc(std::fmod(seconds, 60));
    const QString text = fixedDecimal(minutes, 0) + u'm';
    return rest < 1 ? text : text + u' ' + fixedDecimal(rest, 0) + u's';
}

QString ExcelTableView::descriptionDisplayText(const QLabCue &cue)
{
    return nameMarkup(cue.notes).value_or(cue.notes);
}

StyledText ExcelTableView::styledDescription(const QString &text)
{
    // Plain runs take the layout's own font and the pen; only the highlighted ones carry a format,
    // built once, which keeps laying out a long description cheap.
    static const auto format = [](const QFont &font) {
        QTextCharFormat made;
        made.setFont(font, QTextCharFormat::FontPropertiesSpecifiedOnly);
        return made;
    };
    static const QTextCharFormat bold = format(fonts().sans11Semibold);
    static const QTextCharFormat italic = format(fonts().sans11Italic);
    StyledText styled { text, {} };
    qsizetype lineStart = 0;
    for (QStringView line : QStringView(text).tokenize(u'\n')) {
        for (const CueTextStyling::HighlightRange &range : CueTextStyling::highlightedRanges(line))
            styled.formats.append({ int(lineStart + range.start), int(range.length),
                range.style == DescStyle::bold ? bold : italic });
        lineStart += line.size() + 1;
    }
    return styled;
}

QString ExcelTableView::columnTitle(Column column)
{
    switch (column) {
    case type:
        return AppText::columnType();
    case number:
        return AppText::columnNumber();
    case name:
        return AppText::columnName();
    case action:
        return AppText::columnAction();
    case description:
        return AppText::columnDescription();
    case trigger:
        return AppText::columnTrigger();
    }
    return {};
}

QString ExcelTableView::notesAfterEdit(const QString &notes, const QString &text)
{
    return renamedNameMarkup(notes, text).value_or(text);
}
