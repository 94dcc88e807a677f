#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

class QIODevice;

#include <functional>
#include <optional>

// Builds an Office Open XML workbook of text cells (every cell a shared string) in a stored ZIP
// archive. Fill it with sheets, rows and widths, then write it; main thread only.
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

    XLSXWriter();
    // Moved, never copied: the shared strings are views into the writer's own blocks.
    XLSXWriter(const XLSXWriter &) = delete;
    XLSXWriter &operator=(const XLSXWriter &) = delete;
    XLSXWriter(XLSXWriter &&) = default;
    XLSXWriter &operator=(XLSXWriter &&) = default;

    // Adds a sheet named by the cleaned name, made distinct from the names already taken;
    // returns its index.
    int addSheet(QStringView name);
    // Takes the row's styles and texts into the workbook's tables at once, in the order rows are
    // added; the row itself is not kept. An index outside the sheets is ignored.
    void addRow(const QList<Cell> &row, int sheet);
    void setColumnWidths(QList<double> widths, int sheet);

    enum class WriteOutcome { written, tooLarge, deviceFailed };
    // Writes the .xlsx to the device, each part into the archive as soon as it is complete.
    // tooLarge: a part or the archive does not fit the ZIP container.
    WriteOutcome write(QIODevice &device) const;
    // The .xlsx bytes; nothing when the workbook is too large for the ZIP container.
    std::optional<QByteArray> build() const;

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
    // The style and shared-string indices of one cell.
    struct CellIndex
    {
        int style = 0;
        int string = 0;
    };
    struct Sheet
    {
        QString name;
        QList<CellIndex> cells; // row after row
        QList<qsizetype> rowSizes;
        qsizetype columnCount = 0;
        std::optional<QList<double>> columnWidths; // character units
    };

    int styleIndex(const Cell &cell);
    int sharedStringIndex(const Cell &cell);
    int plainStringIndex(const QString &value);
    int addSharedString(QByteArrayView item);
    static QString richTextXML(const QList<RichTextRun> &runs);

    QString contentTypesXML() const;
    QString workbookXML() const;
    QString workbookRelsXML() const;
    QString stylesXML() const;
    // Hands the worksheet's XML to the sink piece by piece.
    void sheetXML(const Sheet &sheet, const std::function<void(QByteArrayView)> &sink) const;

    QList<Sheet> m_sheets;
    QList<FontDef> m_fonts;
    QList<FillDef> m_fills;
    QList<XFDef> m_xfs;
    QHash<XFDef, int> m_xfCache;
    // The shared-string items as the part lists them, one "<si>" line each in UTF-8: the table is
    // kept in the form it is written, not as texts beside it. Items fill blocks of a fixed
    // capacity, so they never move and no growing buffer is ever copied.
    QList<QByteArray> m_sharedStringBlocks;
    QList<QByteArrayView> m_sharedStrings;
    QHash<QString, int> m_plainStringIndex;
    // Rich texts are found by the hash of their item, then compared with the items themselves.
    QMultiHash<size_t, int> m_richStringsByHash;
};
