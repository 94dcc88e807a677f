#pragma once

#include "export/ExportColumn.h"
#include "export/StyledText.h"
#include "model/QLabCue.h"

#include <QColor>
#include <QFont>

// The styled texts of the cells of one PDF table row.
namespace PdfCellTexts {

struct Fonts
{
    QFont regular;
    QFont bold;
    QFont italic;
    QFont small;
};

QColor black();
// The "—" placeholder.
QColor gray();
// Parameter lines and italic highlights.
QColor darkGray();
// Pre-wait and post-wait lines, as in the spreadsheet (0099CC).
QColor waitColor();

// Header lines bold (with preserveColors, a known prefix becomes its short word in the colour of
// its cue type), parameter lines small dark gray, wait lines small in the wait colour; hidden
// "[notes:" lines dropped; "—" in gray for an empty action.
StyledText actionCellText(const QLabCue &cue, const QFont &regular, const QFont &bold,
    const QFont &small, bool preserveColors);

// The notes as stored, keywords bold and measures italic dark gray; "—" in gray when empty.
StyledText styledDescription(
    const QLabCue &cue, const QFont &regular, const QFont &bold, const QFont &italic);

// The text of any column: the two above, or the plain column value (bold for the type and for the
// number and name of a group; the type in its cue-type colour with preserveColors; "—" in gray).
StyledText cellText(
    ExportColumn column, const QLabCue &cue, const Fonts &fonts, bool preserveColors);

} // namespace PdfCellTexts
