#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// Builds an Office Open XML workbook of text cells (every cell a shared string) in a stored ZIP
// archive. Fill it with sheets, rows and widths, then build once; main thread only.
class XLSXWriter
{
public:
    struct RichTextRun
    {
        QString text {};
        bool bold = false;
        bool italic = false;
        std::optional<QString> colorHex {}; // RRGGBB
        std::optional<double> fontSize {}; // points; 11 when absent
    };

    struct Cell
    {
        QString value {};
        bool bold = false;
        bool italic = false;
        std::optional<QString> textColorHex {}; // RRGGBB
        std::optional<QString> fillColorHex {}; // RRGGBB
        bool noBorder = false;
        // When not empty the cell shows these runs; value is then not written.
        QList<RichTextRun> runs {};
    };

    struct Sheet
    {
        QString name {};
        QList<QList<Cell>> rows {};
        std::optional<QList<double>> columnWidths {}; // character units
    };

    // Adds a sheet named by the cleaned name, made distinct from the names already taken;
    // returns its index.
    int addSheet(QStringView name);
    void addRow(QList<Cell> row, int sheet);
    void setColumnWidths(QList<double> widths, int sheet);

    const QList<Sheet> &sheets() const { return m_sheets; }

    // The .xlsx bytes; nothing when the workbook is too large for the ZIP container.
    std::optional<QByteArray> build();

    // 0 gives A, 25 Z, 26 AA.
    static QString columnLetters(int index);
    // The five XML entities, "_x000D_" for a carriage return and "_x005F_" for an underscore that
    // would start such an escape; characters XML cannot hold are dropped.
    static QString xmlEscaped(QStringView text);

private:
    struct FontDef
    {
        bool bold = false;
        bool italic = false;
        std::optional<QString> colorHex {};
        friend bool operator==(const FontDef &, const FontDef &) = default;
    };
    struct FillDef
    {
        std::optional<QString> colorHex {};
        QString pattern;
        friend bool operator==(const FillDef &, const FillDef &) = default;
    };
    struct XFDef
    {
        int fontIndex = 0;
        int fillIndex = 0;
        int borderId = 0;
        friend bool operator==(const XFDef &, const XFDef &) = default;
        friend size_t qHash(const XFDef &xf, size_t seed = 0)
        {
            return qHashMulti(seed, xf.fontIndex, xf.fillIndex, xf.borderId);
        }
    };
    // The style and shared-string indices of one cell, found by the interning pass.
    struct CellIndex
    {
        int style = 0;
        int string = 0;
    };

    int styleIndex(const Cell &cell);
    int sharedStringIndex(const Cell &cell);
    int plainStringIndex(const QString &value);
    static QString richTextXML(const QList<RichTextRun> &runs);

    QString contentTypesXML() const;
    QString workbookXML() const;
    QString workbookRelsXML() const;
    QString stylesXML() const;
    QString sharedStringsXML() const;
    QString sheetXML(int sheet) const;

    QList<Sheet> m_sheets;
    QList<FontDef> m_fonts;
    QList<FillDef> m_fills;
    QList<XFDef> m_xfs;
    QHash<XFDef, int> m_xfCache;
    QList<QString> m_sstEntries;
    QHash<QString, int> m_plainStringIndex;
    QHash<QString, int> m_richStringIndex;
    // Every cell of every sheet in reading order, and where each sheet's cells begin.
    QList<CellIndex> m_cellIndices;
    QList<qsizetype> m_sheetCellStart;
};
