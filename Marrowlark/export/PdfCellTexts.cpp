#include "export/PdfCellTexts.h"

#include "export/CueTextStyling.h"
#include "model/ActionTextLayout.h"

namespace PdfCellTexts {

namespace {

void appendDescriptionLine(StyledText &styled, QStringView line, const QFont &regular,
    const QFont &bold, const QFont &italic)
{
    qsizetype from = 0;
    for (const CueTextStyling::HighlightRange &range : CueTextStyling::highlightedRanges(line)) {
        styled.append(line.mid(from, range.start - from), regular, black());
        if (range.style == CueTextStyling::DescStyle::bold)
            styled.append(line.mid(range.start, range.length), bold, black());
        else
            styled.append(line.mid(range.start, range.length), italic, darkGray());
        from = range.end();
    }
    styled.append(line.mid(from), regular, black());
}

void appendActionLine(StyledText &styled, QStringView line, const QFont &regular, const QFont &bold,
    const QFont &small, bool preserveColors)
{
    if (ActionTextLayout::isWaitLine(line)) {
        styled.append(line, small, waitColor());
        return;
    }
    if (ActionTextLayout::isParameterLine(line)) {
        styled.append(line, small, darkGray());
        return;
    }
    const QStringView trimmed = line.trimmed();
    const CueTextStyling::ActionTypePrefix *row
        = preserveColors ? CueTextStyling::actionTypePrefix(trimmed) : nullptr;
    if (!row) {
        styled.append(line, bold, black());
        return;
    }
    styled.append(row->word, bold, cueTypeColor(row->type));
    const QStringView rest = trimmed.mid(row->prefix.size()).trimmed();
    if (!rest.isEmpty())
        styled.append(QString(1, u' ').append(rest), regular, black());
}

} // namespace

QColor black()
{
    return QColor::fromRgbF(0, 0, 0);
}

QColor gray()
{
    return QColor::fromRgbF(0.5f, 0.5f, 0.5f);
}

QColor darkGray()
{
    return QColor::fromRgbF(1.0f / 3, 1.0f / 3, 1.0f / 3);
}

QColor waitColor()
{
    return QColor::fromRgbF(0, 0.6f, 0.8f);
}

StyledText actionCellText(const QLabCue &cue, const QFont &regular, const QFont &bold,
    const QFont &small, bool preserveColors)
{
    if (cue.action.isEmpty())
        return StyledText::plain(emptyCellPlaceholder(), regular, gray());

    StyledText styled;
    bool first = true;
    for (QStringView line : QStringView(cue.action).split(QLatin1Char('\n'))) {
        if (ActionTextLayout::isHiddenLine(line))
            continue;
        if (!first)
            styled.appendLineBreak();
        first = false;
        appendActionLine(styled, line, regular, bold, small, preserveColors);
    }
    return styled;
}

StyledText styledDescription(
    const QLabCue &cue, const QFont &regular, const QFont &bold, const QFont &italic)
{
    if (cue.notes.isEmpty())
        return StyledText::plain(emptyCellPlaceholder(), regular, gray());

    StyledText styled;
    bool first = true;
    for (QStringView line : QStringView(cue.notes).split(QLatin1Char('\n'))) {
        if (!first)
            styled.appendLineBreak();
        first = false;
        appendDescriptionLine(styled, line, regular, bold, italic);
    }
    return styled;
}

StyledText cellText(
    ExportColumn column, const QLabCue &cue, const Fonts &fonts, bool preserveColors)
{
    switch (column) {
    case ExportColumn::action:
        return actionCellText(cue, fonts.regular, fonts.bold, fonts.small, preserveColors);
    case ExportColumn::description:
        return styledDescription(cue, fonts.regular, fonts.bold, fonts.italic);
    case ExportColumn::type:
    case ExportColumn::number:
    case ExportColumn::name:
    case ExportColumn::trigger:
        break;
    }

    const QString value = exportColumnValue(column, cue);
    const bool emphasised = column == ExportColumn::type
        || (cue.isGroup() && (column == ExportColumn::number || column == ExportColumn::name));
    QColor color = black();
    if (value == emptyCellPlaceholder())
        color = gray();
    else if (column == ExportColumn::type && preserveColors)
        color = cueTypeColor(cue.type);
    return StyledText::plain(value, emphasised ? fonts.bold : fonts.regular, color);
}

} // namespace PdfCellTexts
