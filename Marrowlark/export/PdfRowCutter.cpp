#include "export/PdfRowCutter.h"

#include <algorithm>
#include <cmath>

namespace {

using Column = PdfRowCutter::Column;
using LineRange = PdfRowCutter::LineRange;
using RowFragment = PdfRowCutter::RowFragment;

int lineCount(const Column &column)
{
    return int(column.lineStarts.size()) - 1;
}

int visualCount(const Column &column)
{
    return column.lineStarts.constLast();
}

double textHeight(const Column &column, int first, int last)
{
    return column.heightPrefix[last] - column.heightPrefix[first];
}

// Where the cut has got to: a visual line per column, and the first line index that some column
// has not finished. Pieces normally end at one line index in every column; after a cut between
// visual lines a column may be ahead of that index, and then waits for the others.
class CutState
{
public:
    explicit CutState(const QList<Column> &columns)
        : m_columns(columns)
        , m_positions(columns.size(), 0)
    {
        for (const Column &column : columns)
            m_totalLines = std::max(m_totalLines, lineCount(column));
    }

    int totalLines() const { return m_totalLines; }
    int line() const { return m_line; }

    bool remaining() const
    {
        for (qsizetype c = 0; c < m_columns.size(); ++c) {
            if (m_positions[c] < visualCount(m_columns[c]))
                return true;
        }
        return false;
    }

    void restart()
    {
        m_positions.fill(0);
        m_line = 0;
    }

    // Room for the identifying cells that a continuation piece shows again in full.
    double repeatHeight() const
    {
        double height = 0;
        for (qsizetype c = 0; c < m_columns.size(); ++c) {
            if (repeatsWhole(c))
                height = std::max(height,
                    PdfRowCutter::cellHeight(textHeight(m_columns[c], 0, m_positions[c]), false));
        }
        return height;
    }

    // The content height of a piece holding every column up to the end of line index `end`.
    double contentHeight(int end, double floor) const
    {
        double height = std::max(floor, PdfRowCutter::minimumCellHeight);
        for (qsizetype c = 0; c < m_columns.size(); ++c) {
            const int last = boundary(c, end);
            height = std::max(height,
                PdfRowCutter::cellHeight(
                    textHeight(m_columns[c], m_positions[c], last), last == m_positions[c]));
        }
        return height;
    }

    // Takes every column up to the end of line index `end`.
    RowFragment take(int end, bool continuation, double height)
    {
        QList<int> lasts(m_columns.size());
        for (qsizetype c = 0; c < m_columns.size(); ++c)
            lasts[c] = boundary(c, end);
        RowFragment piece = advance(lasts, continuation);
        piece.height = height;
        return piece;
    }

    // Takes, in every column, the visual lines that fit in `budget`, wherever they end; at least
    // one visual line overall, so the cut always ends.
    RowFragment takeWrapped(double budget, bool continuation, double floor)
    {
        QList<int> lasts(m_columns.size());
        bool any = false;
        for (qsizetype c = 0; c < m_columns.size(); ++c) {
            const Column &column = m_columns[c];
            int last = m_positions[c];
            while (last < visualCount(column)
                && PdfRowCutter::cellHeight(textHeight(column, m_positions[c], last + 1), false)
                    <= budget)
                ++last;
            lasts[c] = last;
            any = any || last > m_positions[c];
        }
        for (qsizetype c = 0; !any && c < m_columns.size(); ++c) {
            if (m_positions[c] < visualCount(m_columns[c])) {
                lasts[c] = m_positions[c] + 1;
                any = true;
            }
        }

        double height = std::max(floor, PdfRowCutter::minimumCellHeight);
        for (qsizetype c = 0; c < m_columns.size(); ++c)
            height = std::max(height,
                PdfRowCutter::cellHeight(textHeight(m_columns[c], m_positions[c], lasts[c]),
                    lasts[c] == m_positions[c]));
        RowFragment piece = advance(lasts, continuation);
        piece.height = height;
        return piece;
    }

private:
    int boundary(qsizetype c, int line) const
    {
        const Column &column = m_columns[c];
        return std::max(m_positions[c], column.lineStarts[std::min(line, lineCount(column))]);
    }

    bool repeatsWhole(qsizetype c) const
    {
        const Column &column = m_columns[c];
        return column.repeats && visualCount(column) > 0 && m_positions[c] == visualCount(column);
    }

    RowFragment advance(const QList<int> &lasts, bool continuation)
    {
        RowFragment piece;
        piece.isContinuation = continuation;
        m_line = m_totalLines;
        for (qsizetype c = 0; c < m_columns.size(); ++c) {
            if (continuation && repeatsWhole(c))
                piece.lines.append({ 0, visualCount(m_columns[c]) });
            else
                piece.lines.append({ m_positions[c], lasts[c] });
            m_positions[c] = lasts[c];

            // The line holding the column's next visual line.
            const Column &column = m_columns[c];
            if (m_positions[c] < visualCount(column)) {
                const auto next = std::upper_bound(
                    column.lineStarts.cbegin(), column.lineStarts.cend(), m_positions[c]);
                m_line = std::min(m_line, int(next - column.lineStarts.cbegin()) - 1);
            }
        }
        return piece;
    }

    const QList<Column> &m_columns;
    QList<int> m_positions;
    int m_totalLines = 0;
    int m_line = 0;
};

} // namespace

double PdfRowCutter::cellHeight(double textHeight, bool empty)
{
    if (empty)
        return minimumCellHeight;
    // Sums of measured heights may land a hair above a whole number.
    return std::max(minimumCellHeight, std::ceil(textHeight - 1e-6) + cellPadding);
}

QList<PdfRowCutter::RowFragment> PdfRowCutter::cut(
    const QList<Column> &columns, double availableFirst, double availableFull, bool isAlt)
{
    CutState state(columns);
    const int totalLines = state.totalLines();
    const double wholeHeight = state.contentHeight(totalLines, 0);

    bool startsPage = false;
    double space = availableFirst;
    const auto moveToFreshPage = [&] {
        startsPage = true;
        space = availableFull;
    };
    const auto whole = [&] {
        RowFragment piece = state.take(totalLines, false, wholeHeight);
        piece.isAlt = isAlt;
        piece.startsPage = startsPage;
        return QList<RowFragment> { piece };
    };

    if (wholeHeight > space && space < minimumSpaceForCut && space < availableFull)
        moveToFreshPage();
    if (wholeHeight <= space)
        return whole();

    QList<RowFragment> pieces;
    int firstPieceLines = 0;
    bool rebalanced = false;
    while (state.remaining()) {
        const bool first = pieces.isEmpty();
        const double top = first ? 0 : markerHeight;
        const double floor = first ? 0 : state.repeatHeight();

        int end = -1;
        double height = 0;
        for (int e = state.line() + 1; e <= totalLines; ++e) {
            const double candidate
                = top + state.contentHeight(e, floor) + (e < totalLines ? markerHeight : 0);
            if (candidate > space)
                break;
            end = e;
            height = candidate;
        }

        if (end < 0 && first && !startsPage && space < availableFull) {
            // Not even one line fits below the rows already placed.
            moveToFreshPage();
            if (wholeHeight <= space)
                return whole();
            continue;
        }

        RowFragment piece;
        if (end >= 0) {
            const int left = totalLines - state.line();
            // A last piece with under 30 % of the lines: split the row in halves instead.
            if (pieces.size() == 1 && end == totalLines && firstPieceLines > 0 && !rebalanced
                && left < 3 * (firstPieceLines + left) / 10) {
                rebalanced = true;
                const int half = totalLines / 2;
                state.restart();
                RowFragment firstHalf
                    = state.take(half, false, state.contentHeight(half, 0) + markerHeight);
                firstHalf.hasMore = true;
                firstHalf.isAlt = isAlt;
                firstHalf.startsPage = pieces[0].startsPage;
                pieces[0] = firstHalf;
                space = availableFull;
                continue;
            }
            if (first)
                firstPieceLines = end;
            piece = state.take(end, !first, height);
        } else {
            piece = state.takeWrapped(space - top - markerHeight, !first, floor);
            piece.height
                = std::min(space, top + piece.height + (state.remaining() ? markerHeight : 0));
        }
        piece.hasMore = state.remaining();
        piece.isAlt = isAlt;
        piece.startsPage = first ? startsPage : true;
        pieces.append(piece);
        space = availableFull;
    }
    return pieces;
}
