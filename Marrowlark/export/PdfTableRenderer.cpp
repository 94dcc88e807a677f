#include "export/PdfTableRenderer.h"

#include "export/ExportNames.h"
#include "model/AppText.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace {

// Page geometry in points, top-down.
constexpr double pageWidth = 842;
constexpr double pageHeight = 595;
constexpr double tableLeft = 40;
constexpr double tableWidth = pageWidth - 2 * tableLeft;
constexpr double contentTop = 40;
constexpr double titleBlockHeight = 22;
constexpr double headerRowHeight = 22;
constexpr double rowsTop = contentTop + titleBlockHeight + headerRowHeight;
// How far rows may reach, counted from contentTop; the version line needs 20 points more.
constexpr double bottomLimit = 515;
constexpr double bottomLimitWithVersion = 495;
constexpr double cellPadding = 4;
constexpr double markerPadding = 14;
constexpr double stripWidth = 4;
constexpr double stripInset = 6;
constexpr double footerCentre = 20;
constexpr double gridLineWidth = 1;

// At 1200 dpi text is placed finely enough that measured and drawn lines agree.
constexpr int resolution = 1200;
constexpr double devicePerPoint = resolution / 72.0;

QPointF toDevice(double x, double y)
{
    return { x * devicePerPoint, y * devicePerPoint };
}

QRectF toDevice(double x, double y, double width, double height)
{
    return { toDevice(x, y), QSizeF(width * devicePerPoint, height * devicePerPoint) };
}

QColor white(double level)
{
    return QColor::fromRgbF(float(level), float(level), float(level));
}

bool repeatsOnContinuation(ExportColumn column)
{
    return column == ExportColumn::type || column == ExportColumn::number
        || column == ExportColumn::name;
}

// Headings are drawn on one line.
QString singleLine(QString text)
{
    for (QChar &c : text) {
        if (c == u'\n' || c == u'\r' || c == u'\t' || c == QChar::LineSeparator
            || c == QChar::ParagraphSeparator)
            c = u' ';
    }
    return text;
}

} // namespace

std::optional<QByteArray> PdfTableRenderer::renderPDF(
    const QList<PdfSection> &sections, const QString &title, const ExportSettings &settings)
{
    if (settings.orderedColumns().isEmpty())
        return std::nullopt;

    QBuffer buffer;
    if (!buffer.open(QIODevice::WriteOnly))
        return std::nullopt;
    QPdfWriter writer(&buffer);
    writer.setResolution(resolution);
    const QPageSize pageSize(
        QSizeF(pageWidth, pageHeight), QPageSize::Point, QString(), QPageSize::ExactMatch);
    if (!writer.setPageLayout(QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF())))
        return std::nullopt;

    // A document needs a page: without sections it is the title block and header row alone.
    const QList<PdfSection> effective = sections.isEmpty() ? QList { PdfSection {} } : sections;
    PdfTableRenderer renderer(settings, &writer);
    const QList<Page> pages = renderer.paginate(effective);
    if (!renderer.paint(pages, effective, title))
        return std::nullopt;
    return buffer.data();
}

PdfTableRenderer::PdfTableRenderer(const ExportSettings &settings, QPdfWriter *writer)
    : m_settings(settings)
    , m_writer(writer)
    , m_columns(settings.orderedColumns())
    , m_bottomLimit(settings.addVersionInfo ? bottomLimitWithVersion : bottomLimit)
{
    double weights = 0;
    for (ExportColumn column : m_columns)
        weights += pdfColumnWeight(column);
    double x = tableLeft;
    for (ExportColumn column : m_columns) {
        const double width = pdfColumnWeight(column) / weights * tableWidth;
        m_columnX.append(x);
        m_columnWidths.append(width);
        x += width;
    }

    m_cellFonts = { font(8), font(8, true), font(8, false, true), font(7) };
    m_titleFont = font(11, true);
    m_sectionFont = font(9);
    m_headerFont = font(9, true);
    m_markerFont = font(6, false, true);
    m_pageLabelFont = font(10);
    m_versionFont = font(7);
}

QFont PdfTableRenderer::font(double points, bool bold, bool italic) const
{
    QFont base(QStringLiteral("DejaVu Sans"));
    base.setPointSizeF(points);
    base.setBold(bold);
    base.setItalic(italic);
    base.setHintingPreference(QFont::PreferNoHinting);
    // Without shaping, Latin text is drawn without ligatures, so the text layer holds "fi" as two
    // letters that searching and copying find.
    base.setStyleStrategy(QFont::PreferNoShaping);
    // Resolved for the writer, so metrics come in its device units.
    return QFont(base, m_writer);
}

double PdfTableRenderer::cellInset(qsizetype column) const
{
    return column == 0 && m_settings.preserveColors ? stripInset : 0;
}

std::vector<PdfCellLayout> PdfTableRenderer::layoutRow(const QLabCue &cue) const
{
    std::vector<PdfCellLayout> cells;
    cells.reserve(size_t(m_columns.size()));
    for (qsizetype i = 0; i < m_columns.size(); ++i) {
        const StyledText text
            = PdfCellTexts::cellText(m_columns[i], cue, m_cellFonts, m_settings.preserveColors);
        const double width = m_columnWidths[i] - 2 * cellPadding - cellInset(i);
        cells.emplace_back(text, width * devicePerPoint, m_cellFonts.regular, m_writer);
    }
    return cells;
}

QList<PdfRowCutter::Column> PdfTableRenderer::cutColumns(
    const std::vector<PdfCellLayout> &cells) const
{
    QList<PdfRowCutter::Column> columns;
    columns.reserve(m_columns.size());
    for (qsizetype i = 0; i < m_columns.size(); ++i) {
        const PdfCellLayout &cell = cells[size_t(i)];
        PdfRowCutter::Column column;
        column.heightPrefix.clear();
        column.heightPrefix.reserve(cell.heightPrefix().size());
        for (qreal height : cell.heightPrefix())
            column.heightPrefix.append(height / devicePerPoint);
        column.lineStarts = cell.lineStarts();
        column.repeats = repeatsOnContinuation(m_columns[i]);
        columns.append(std::move(column));
    }
    return columns;
}

QList<PdfTableRenderer::Page> PdfTableRenderer::paginate(const QList<PdfSection> &sections) const
{
    QList<Page> pages;
    const double fullSpace = m_bottomLimit - (rowsTop - contentTop);
    for (qsizetype s = 0; s < sections.size(); ++s) {
        pages.append(Page { s, {} });
        double top = rowsTop;
        const QList<QLabCue> &cues = sections[s].cues;
        for (qsizetype row = 0; row < cues.size(); ++row) {
            const double spaceLeft = m_bottomLimit - (top - contentTop);
            const QList<PdfRowCutter::RowFragment> pieces = PdfRowCutter::cut(
                cutColumns(layoutRow(cues[row])), spaceLeft, fullSpace, row % 2 == 1);
            for (const PdfRowCutter::RowFragment &piece : pieces) {
                if (piece.startsPage) {
                    pages.append(Page { s, {} });
                    top = rowsTop;
                }
                pages.last().pieces.append(PlacedPiece { row, piece, top });
                top += piece.height;
            }
        }
    }
    return pages;
}

bool PdfTableRenderer::paint(
    const QList<Page> &pages, const QList<PdfSection> &sections, const QString &title)
{
    QPainter painter;
    if (!painter.begin(m_writer))
        return false;

    // Pieces of one row are consecutive, so one row's layouts serve all of them.
    qsizetype laidOutSection = -1;
    qsizetype laidOutRow = -1;
    std::vector<PdfCellLayout> cells;
    for (qsizetype p = 0; p < pages.size(); ++p) {
        if (p > 0 && !m_writer->newPage()) {
            painter.end();
            return false;
        }
        const Page &page = pages[p];
        const PdfSection &section = sections[page.section];
        drawHeading(painter, title, section.name);
        drawHeaderRow(painter);
        for (const PlacedPiece &piece : page.pieces) {
            const QLabCue &cue = section.cues[piece.row];
            if (page.section != laidOutSection || piece.row != laidOutRow) {
                cells = layoutRow(cue);
                laidOutSection = page.section;
                laidOutRow = piece.row;
            }
            drawPiece(painter, piece, cue, cells);
        }
        drawFooter(painter, int(p + 1), int(pages.size()));
    }
    return painter.end();
}

void PdfTableRenderer::drawHeading(
    QPainter &painter, const QString &title, const QString &sectionName) const
{
    QString titleText = singleLine(title);
    QString sectionText = sectionName.isEmpty()
        ? QString()
        : QStringLiteral("  \u2014  ") + singleLine(sectionName);
    double titleWidth = textWidth(titleText, m_titleFont);
    const double sectionWidth = textWidth(sectionText, m_sectionFont);
    if (titleWidth + sectionWidth > tableWidth) {
        // A long title leaves the section name at least half the width, and the other way round.
        const double titleRoom = sectionText.isEmpty()
            ? tableWidth
            : std::max(tableWidth - sectionWidth, tableWidth / 2);
        titleText = elided(titleText, m_titleFont, titleRoom);
        titleWidth = textWidth(titleText, m_titleFont);
        sectionText = elided(sectionText, m_sectionFont, tableWidth - titleWidth);
    }
    drawText(painter, titleText, m_titleFont, PdfCellTexts::black(), tableLeft, contentTop + 14);
    if (!sectionText.isEmpty())
        drawText(painter, sectionText, m_sectionFont, white(1.0 / 3), tableLeft + titleWidth,
            contentTop + 12);
}

void PdfTableRenderer::drawHeaderRow(QPainter &painter) const
{
    const double top = contentTop + titleBlockHeight;
    painter.setPen(QPen(white(0.7), gridLineWidth * devicePerPoint));
    painter.setBrush(white(0.9));
    for (qsizetype i = 0; i < m_columns.size(); ++i)
        painter.drawRect(toDevice(m_columnX[i], top, m_columnWidths[i], headerRowHeight));
    painter.setBrush(Qt::NoBrush);
    for (qsizetype i = 0; i < m_columns.size(); ++i) {
        const QString title = elided(
            exportColumnTitle(m_columns[i]), m_headerFont, m_columnWidths[i] - 2 * cellPadding);
        drawText(painter, title, m_headerFont, PdfCellTexts::black(), m_columnX[i] + cellPadding,
            top + headerRowHeight - 5);
    }
}

void PdfTableRenderer::drawPiece(QPainter &painter, const PlacedPiece &piece, const QLabCue &cue,
    const std::vector<PdfCellLayout> &cells) const
{
    const PdfRowCutter::RowFragment &fragment = piece.fragment;
    const double top = piece.top;
    const double height = fragment.height;
    if (fragment.isAlt)
        painter.fillRect(toDevice(tableLeft, top, tableWidth, height), white(0.96));
    if (m_settings.preserveColors)
        painter.fillRect(toDevice(tableLeft, top, stripWidth, height), cueTypeColor(cue.type));

    const QString above = AppText::continuedAbove();
    const QString below = AppText::continuedBelow();
    for (qsizetype i = 0; i < m_columns.size(); ++i) {
        const double x = m_columnX[i];
        const double width = m_columnWidths[i];
        painter.setPen(QPen(white(0.7), gridLineWidth * devicePerPoint));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(toDevice(x, top, width, height));

        const double textX = x + cellPadding + cellInset(i);
        double topPadding = cellPadding;
        if (fragment.isContinuation) {
            drawText(painter, above, m_markerFont, white(0.55), textX, top + 12);
            topPadding = markerPadding;
        }
        double bottomPadding = cellPadding;
        if (fragment.hasMore) {
            drawText(painter, below, m_markerFont, white(0.55), textX, top + height - cellPadding);
            bottomPadding = markerPadding;
        }

        // Only text that cannot fit (a cut that had to take a line too tall for the page) is
        // clipped: clipping every cell makes the file larger and slower to write.
        const PdfCellLayout &cell = cells[size_t(i)];
        const PdfRowCutter::LineRange range = fragment.lines[i];
        const double textHeight
            = (cell.heightPrefix()[range.last] - cell.heightPrefix()[range.first]) / devicePerPoint;
        const bool overflows = textHeight > height - topPadding - bottomPadding;
        if (overflows) {
            painter.save();
            painter.setClipRect(toDevice(x, top, width, height));
        }
        cell.draw(&painter, toDevice(textX, top + topPadding), range.first, range.last);
        if (overflows)
            painter.restore();
    }
}

void PdfTableRenderer::drawFooter(QPainter &painter, int page, int pageCount) const
{
    const QString label = AppText::pageOf(page, pageCount);
    const double labelBottom = pageHeight - footerCentre + textHeight(m_pageLabelFont) / 2;
    drawText(painter, label, m_pageLabelFont, PdfCellTexts::gray(),
        tableLeft + tableWidth - textWidth(label, m_pageLabelFont), labelBottom);
    if (m_settings.addVersionInfo) {
        const QString line = exportVersionLine();
        drawText(painter, line, m_versionFont, white(0.6),
            (pageWidth - textWidth(line, m_versionFont)) / 2,
            pageHeight - footerCentre + textHeight(m_versionFont) / 2);
    }
}

void PdfTableRenderer::drawText(QPainter &painter, const QString &text, const QFont &font,
    const QColor &color, double x, double bottom) const
{
    if (text.isEmpty())
        return;
    const QFontMetricsF metrics(font, m_writer);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(
        QPointF(x * devicePerPoint, bottom * devicePerPoint - metrics.descent()), text);
}

double PdfTableRenderer::textWidth(const QString &text, const QFont &font) const
{
    return QFontMetricsF(font, m_writer).horizontalAdvance(text) / devicePerPoint;
}

double PdfTableRenderer::textHeight(const QFont &font) const
{
    return QFontMetricsF(font, m_writer).height() / devicePerPoint;
}

QString PdfTableRenderer::elided(const QString &text, const QFont &font, double width) const
{
    return QFontMetricsF(font, m_writer)
        .elidedText(text, Qt::ElideRight, std::max(0.0, width) * devicePerPoint);
}
