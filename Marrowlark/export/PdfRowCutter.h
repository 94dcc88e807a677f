#pragma once

#include <QList>

// Cuts one table row into the pieces that go on successive pages. Every column is given as the
// heights of its visual (wrapped) lines, grouped into its line feed separated lines. Rows are cut
// between lines, all columns at the same line index; a line that does not fit on a whole page is
// cut between its visual lines. Heights are in points.
class PdfRowCutter
{
public:
    struct Column
    {
        // heightPrefix[v]: the height of the visual lines before v (size: visual lines + 1).
        QList<double> heightPrefix { 0 };
        // The first visual line of each line, then the visual line count (size: lines + 1).
        QList<int> lineStarts { 0 };
        // Identifying cells (type, number, name) show their whole text again on every piece after
        // the one that finished them.
        bool repeats = false;
    };

    // One page's piece of a row: visual lines [first, last) of every column.
    struct LineRange
    {
        int first = 0;
        int last = 0;
        friend bool operator==(const LineRange &, const LineRange &) = default;
    };

    struct RowFragment
    {
        QList<LineRange> lines;
        double height = 0; // markers' room included
        bool isContinuation = false;
        bool hasMore = false;
        bool isAlt = false;
        // Goes to the top of a fresh page rather than below the rows already placed.
        bool startsPage = false;
    };

    static constexpr double minimumCellHeight = 20;
    static constexpr double cellPadding = 16;
    static constexpr double markerHeight = 10;
    // Below this much space a row that does not fit starts on the next page.
    static constexpr double minimumSpaceForCut = 60;

    // A cell's height: its text's height rounded up plus the padding, at least the minimum; an
    // empty text counts the minimum.
    static double cellHeight(double textHeight, bool empty);

    // availableFirst: space left on the current page; availableFull: space on a fresh page.
    // Every piece fits its page; the first may be moved to a fresh page.
    static QList<RowFragment> cut(
        const QList<Column> &columns, double availableFirst, double availableFull, bool isAlt);
};
