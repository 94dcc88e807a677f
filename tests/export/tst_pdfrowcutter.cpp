#include "export/PdfRowCutter.h"

#include <QTest>

using Column = PdfRowCutter::Column;
using Range = PdfRowCutter::LineRange;
using Pieces = QList<PdfRowCutter::RowFragment>;

namespace {

// A column of `lines` lines, each of `visual` wrapped lines `height` points high.
Column column(int lines, int visual = 1, double height = 10, bool repeats = false)
{
    Column result;
    result.repeats = repeats;
    for (int l = 0; l < lines; ++l) {
        for (int v = 0; v < visual; ++v)
            result.heightPrefix.append(result.heightPrefix.constLast() + height);
        result.lineStarts.append(int(result.heightPrefix.size()) - 1);
    }
    return result;
}

} // namespace

class TestPdfRowCutter : public QObject
{
    Q_OBJECT

private slots:
    void cut_data()
    {
        QTest::addColumn<QList<Column>>("columns");
        QTest::addColumn<double>("first");
        QTest::addColumn<double>("full");
        // Per piece: the lines of the last column, and whether it starts a fresh page.
        QTest::addColumn<QList<Range>>("lastColumn");
        QTest::addColumn<QList<bool>>("startsPage");

        const double page = 471;
        const Column type = column(1, 1, 10, true);
        QTest::newRow("fits") << QList { type, column(10) } << 200.0 << page
                              << QList<Range> { { 0, 10 } } << QList { false };
        QTest::newRow("short last piece: halves")
            << QList { type, column(30) } << 280.0 << page << QList<Range> { { 0, 15 }, { 15, 30 } }
            << QList { false, true };
        QTest::newRow("first line taller than the space left: next page") << QList { type,
            column(1, 30) } << 100.0 << page << QList<Range> { { 0, 30 } } << QList { true };
        QTest::newRow("paragraph taller than a page: cut at wrapped lines")
            << QList { type, column(1, 100) } << 100.0 << page
            << QList<Range> { { 0, 44 }, { 44, 87 }, { 87, 100 } } << QList { true, true, true };
        Column tall = column(1, 60);
        for (int l = 0; l < 5; ++l) {
            tall.heightPrefix.append(tall.heightPrefix.constLast() + 10);
            tall.lineStarts.append(tall.lineStarts.constLast() + 1);
        }
        QTest::newRow("lines after a tall paragraph")
            << QList { type, tall } << page << page << QList<Range> { { 0, 44 }, { 44, 65 } }
            << QList { false, true };
        QTest::newRow("short cells finish beside a tall paragraph")
            << QList { type, column(1, 100), column(3) } << page << page
            << QList<Range> { { 0, 3 }, { 3, 3 }, { 3, 3 } } << QList { false, true, true };
        QTest::newRow("name longer than the description")
            << QList { type, column(3), column(100, 1, 10, true) } << 200.0 << page
            << QList<Range> { { 0, 17 }, { 17, 60 }, { 60, 100 } } << QList { false, true, true };
        QTest::newRow("empty cells") << QList { column(0), column(0) } << 20.0 << page
                                     << QList<Range> { { 0, 0 } } << QList { false };
    }

    void cut()
    {
        QFETCH(QList<Column>, columns);
        QFETCH(double, first);
        QFETCH(double, full);
        QFETCH(QList<Range>, lastColumn);
        QFETCH(QList<bool>, startsPage);

        const Pieces pieces = PdfRowCutter::cut(columns, first, full, true);
        QList<Range> last;
        QList<bool> starts;
        for (const auto &piece : pieces) {
            last.append(piece.lines.constLast());
            starts.append(piece.startsPage);
        }
        QCOMPARE(last, lastColumn);
        QCOMPARE(starts, startsPage);

        // Every piece fits its page, and every column's lines are shown once and in order; an
        // identifying cell that is done shows its whole text again.
        for (qsizetype p = 0; p < pieces.size(); ++p) {
            const bool freshPage = p > 0 || pieces[p].startsPage;
            QVERIFY(pieces[p].height <= (freshPage ? full : first));
            QVERIFY(pieces[p].height >= PdfRowCutter::minimumCellHeight);
            QCOMPARE(pieces[p].isContinuation, p > 0);
            QCOMPARE(pieces[p].hasMore, p + 1 < pieces.size());
            QVERIFY(pieces[p].isAlt);
        }
        for (qsizetype c = 0; c < columns.size(); ++c) {
            const int total = columns[c].lineStarts.constLast();
            int position = 0;
            for (qsizetype p = 0; p < pieces.size(); ++p) {
                const Range range = pieces[p].lines[c];
                if (columns[c].repeats && p > 0 && position == total && total > 0) {
                    QCOMPARE(range, (Range { 0, total }));
                    continue;
                }
                QCOMPARE(range.first, position);
                QVERIFY(range.last >= range.first);
                position = range.last;
            }
            QCOMPARE(position, total);
        }
    }
};

QTEST_APPLESS_MAIN(TestPdfRowCutter)
#include "tst_pdfrowcutter.moc"
