#pragma once

#include "export/ExportSettings.h"
#include "export/PdfCellLayout.h"
#include "export/PdfCellTexts.h"
#include "export/PdfRowCutter.h"
#include "model/QLabCue.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class QPainter;
class QPdfWriter;

// One cue list of the document: its name (may be empty) and its top-level cues.
struct PdfSection
{
    QString name;
    QList<QLabCue> cues;
};

// Turns cue lists into a PDF: A4 landscape pages headed by the document title, the section name
// and the column header row, one row per cue, rows cut across pages with continuation markers, a
// footer with "Page n / total" and optionally the version line. Every section starts a page.
// Geometry is in points; text is measured and drawn in the writer's own device units.
class PdfTableRenderer
{
public:
    // Nothing when no column is exported or the PDF cannot be written.
    static std::optional<QByteArray> renderPDF(
        const QList<PdfSection> &sections, const QString &title, const ExportSettings &settings);

private:
    struct PlacedPiece
    {
        qsizetype row = 0;
        PdfRowCutter::RowFragment fragment;
        double top = 0;
    };
    struct Page
    {
        qsizetype section = 0;
        QList<PlacedPiece> pieces;
    };

    PdfTableRenderer(const ExportSettings &settings, QPdfWriter *writer);

    // Every page is laid out before the first is painted, so the footer knows the page total.
    QList<Page> paginate(const QList<PdfSection> &sections) const;
    bool paint(const QList<Page> &pages, const QList<PdfSection> &sections, const QString &title);

    std::vector<PdfCellLayout> layoutRow(const QLabCue &cue) const;
    QList<PdfRowCutter::Column> cutColumns(const std::vector<PdfCellLayout> &cells) const;

    void drawHeading(QPainter &painter, const QString &title, const QString &sectionName) const;
    void drawHeaderRow(QPainter &painter) const;
    void drawPiece(QPainter &painter, const PlacedPiece &piece, const QLabCue &cue,
        const std::vector<PdfCellLayout> &cells) const;
    void drawFooter(QPainter &painter, int page, int pageCount) const;
    // Text on one line whose box has its lower left corner at (x, bottom), top-down points.
    void drawText(QPainter &painter, const QString &text, const QFont &font, const QColor &color,
        double x, double bottom) const;
    double textWidth(const QString &text, const QFont &font) const;
    double textHeight(const QFont &font) const;
    QString elided(const QString &text, const QFont &font, double width) const;
    double cellInset(qsizetype column) const;

    QFont font(double points, bool bold = false, bool italic = false) const;

    ExportSettings m_settings;
    QPdfWriter *m_writer;
    QList<ExportColumn> m_columns;
    QList<double> m_columnX;
    QList<double> m_columnWidths;
    double m_bottomLimit;
    PdfCellTexts::Fonts m_cellFonts;
    QFont m_titleFont;
    QFont m_sectionFont;
    QFont m_headerFont;
    QFont m_markerFont;
    QFont m_pageLabelFont;
    QFont m_versionFont;
};
