#include "export/XLSXWriter.h"

#include "export/ExportNames.h"
#include "export/XmlText.h"
#include "export/ZipArchive.h"

#include <QBuffer>
#include <QStringList>

#include <charconv>
#include <cmath>

namespace {

const QString declaration
    = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n");
const QString mainNamespace
    = QStringLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main");
const QString relationshipsNamespace
    = QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships");
const QString contentTypesNamespace
    = QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types");
const QString officeRelationships
    = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");

// Shortest decimal text that reads back as the same number, never in the locale's form.
QString decimal(double value, bool fractionDigit)
{
    if (!std::isfinite(value))
        value = 0;
    char buffer[400];
    const auto result
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    if (fractionDigit && !text.contains(u'.'))
        text += QLatin1String(".0");
    return text;
}

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// "_x" + four hex digits + "_" is how spreadsheet files spell a character; a literal one must
// have its underscore escaped to be shown as typed.
bool startsCharacterEscape(QStringView text, qsizetype i)
{
    return i + 6 < text.size() && text[i + 1] == u'x' && isHexDigit(text[i + 2])
        && isHexDigit(text[i + 3]) && isHexDigit(text[i + 4]) && isHexDigit(text[i + 5])
        && text[i + 6] == u'_';
}

bool hasForbiddenCharacters(QStringView text)
{
    for (QChar c : text) {
        const char16_t unit = c.unicode();
        if ((unit < 0x20 && unit != 0x9 && unit != 0xA && unit != 0xD) || unit >= 0xD800)
            return true; // surrogates and U+FFFE/U+FFFF need a closer look
    }
    return false;
}

// Entities for markup characters; "_xHHHH_" for a carriage return, which XML readers would
// otherwise turn into a line feed, and for the underscore that would start such an escape.
void appendEscaped(QString &out, QStringView raw)
{
    QString filtered;
    QStringView text = raw;
    if (hasForbiddenCharacters(raw)) {
        filtered = keptCodePoints(raw, isXmlCharacter);
        text = filtered;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        switch (c.unicode()) {
        case u'&':
            out += QLatin1String("&amp;");
            break;
        case u'<':
            out += QLatin1String("&lt;");
            break;
        case u'>':
            out += QLatin1String("&gt;");
            break;
        case u'"':
            out += QLatin1String("&quot;");
            break;
        case u'\'':
            out += QLatin1String("&apos;");
            break;
        case u'\r':
            out += QLatin1String("_x000D_");
            break;
        case u'_':
            if (startsCharacterEscape(text, i))
                out += QLatin1String("_x005F_");
            else
                out += c;
            break;
        default:
            out += c;
        }
    }
}

// Spreadsheet programs hold at most this many UTF-16 units in a cell.
constexpr qsizetype maxCellTextLength = 32767;
const QString cutMark = QStringLiteral("\u2026");

// How much of a text fits before the cut mark, never between the halves of a surrogate pair.
qsizetype keptUnits(QStringView text, qsizetype room)
{
    if (room > 0 && room < text.size() && text[room].isLowSurrogate()
        && text[room - 1].isHighSurrogate())
        --room;
    return room;
}

// Text content of a t element.
void appendCellText(QString &out, QStringView text)
{
    out += QLatin1String("<t xml:space=\"preserve\">");
    appendEscaped(out, text);
    out += QLatin1String("</t>");
}

// The text as a cell holds it: cut and marked when it is longer than a cell can be.
QString cellText(const QString &text)
{
    if (text.size() <= maxCellTextLength)
        return text;
    return text.left(keptUnits(text, maxCellTextLength - cutMark.size())) + cutMark;
}

// The runs as a cell holds them: the run that crosses the limit cut and marked, later ones dropped.
QList<XLSXWriter::RichTextRun> cellRuns(const QList<XLSXWriter::RichTextRun> &runs)
{
    qsizetype total = 0;
    for (const XLSXWriter::RichTextRun &run : runs)
        total += run.text.size();
    if (total <= maxCellTextLength)
        return runs;
    QList<XLSXWriter::RichTextRun> kept;
    qsizetype room = maxCellTextLength - cutMark.size();
    for (const XLSXWriter::RichTextRun &run : runs) {
        kept.append(run);
        if (run.text.size() >= room) {
            kept.last().text = run.text.left(keptUnits(run.text, room)) + cutMark;
            break;
        }
        room -= run.text.size();
    }
    return kept;
}

} // namespace

XLSXWriter::XLSXWriter()
    : m_fonts { FontDef {} }
    , m_fills { FillDef { std::nullopt, QStringLiteral("none") },
        FillDef { std::nullopt, QStringLiteral("gray125") } }
    , m_xfs { XFDef { 0, 0, 1 } }
{
    m_xfCache.insert(m_xfs.first(), 0);
}

int XLSXWriter::addSheet(QStringView name)
{
    QStringList names;
    names.reserve(m_sheets.size() + 1);
    for (const Sheet &sheet : std::as_const(m_sheets))
        names.append(sheet.name);
    names.append(sanitizedSheetName(name));
    m_sheets.append(Sheet { uniquedNames(names).constLast(), {}, {}, 0, std::nullopt });
    return int(m_sheets.size() - 1);
}

void XLSXWriter::addRow(const QList<Cell> &row, int sheet)
{
    if (sheet < 0 || sheet >= m_sheets.size())
        return;
    Sheet &target = m_sheets[sheet];
    for (const Cell &cell : row) {
        const int style = styleIndex(cell);
        target.cells.append({ style, sharedStringIndex(cell) });
    }
    target.rowSizes.append(row.size());
    target.columnCount = qMax(target.columnCount, row.size());
}

void XLSXWriter::setColumnWidths(QList<double> widths, int sheet)
{
    if (sheet >= 0 && sheet < m_sheets.size())
        m_sheets[sheet].columnWidths = std::move(widths);
}

XLSXWriter::WriteOutcome XLSXWriter::write(QIODevice &device) const
{
    // Styles and strings come before the worksheets; both tables are complete once the rows are
    // in, so each part is written as soon as it is made and dropped after.
    ZipWriter zip(device);
    const auto failure
        = [&] { return zip.overflowed() ? WriteOutcome::tooLarge : WriteOutcome::deviceFailed; };
    const auto add = [&](const QString &path, const QString &xml) {
        const QByteArray bytes = xml.toUtf8();
        return zip.addEntry(path, [&](const auto &sink) { sink(bytes); });
    };
    if (!add(QStringLiteral("[Content_Types].xml"), contentTypesXML())
        || !add(QStringLiteral("_rels/.rels"),
            declaration + QLatin1String("<Relationships xmlns=\"") + relationshipsNamespace
                + QLatin1String("\">\n  <Relationship Id=\"rId1\" Type=\"") + officeRelationships
                + QLatin1String("/officeDocument\" Target=\"xl/workbook.xml\"/>\n</Relationships>"))
        || !add(QStringLiteral("xl/workbook.xml"), workbookXML())
        || !add(QStringLiteral("xl/_rels/workbook.xml.rels"), workbookRelsXML())
        || !add(QStringLiteral("xl/styles.xml"), stylesXML()))
        return failure();

    const QByteArray count = QByteArray::number(m_sharedStrings.size());
    const QByteArray stringsHead = (declaration + QLatin1String("<sst xmlns=\"") + mainNamespace
                                       + QLatin1String("\" count=\""))
                                       .toUtf8()
        + count + "\" uniqueCount=\"" + count + "\">\n";
    const auto sharedStrings = [&](const auto &sink) {
        sink(stringsHead);
        for (const QByteArray &block : m_sharedStringBlocks)
            sink(block);
        sink("</sst>");
    };
    if (!zip.addEntry(QStringLiteral("xl/sharedStrings.xml"), sharedStrings))
        return failure();

    for (qsizetype i = 0; i < m_sheets.size(); ++i) {
        const auto sheet = [&](const auto &sink) { sheetXML(m_sheets[i], sink); };
        if (!zip.addEntry(QStringLiteral("xl/worksheets/sheet%1.xml").arg(i + 1), sheet))
            return failure();
    }
    return zip.finish() ? WriteOutcome::written : WriteOutcome::deviceFailed;
}

std::optional<QByteArray> XLSXWriter::build() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (write(buffer) != WriteOutcome::written)
        return std::nullopt;
    buffer.close();
    return bytes;
}

QString XLSXWriter::columnLetters(int index)
{
    QString letters;
    int n = qMax(index, 0);
    for (;;) {
        letters.prepend(QChar(u'A' + n % 26));
        if (n <= 25)
            return letters;
        n = n / 26 - 1;
    }
}

QString XLSXWriter::xmlEscaped(QStringView text)
{
    QString out;
    out.reserve(text.size());
    appendEscaped(out, text);
    return out;
}

int XLSXWriter::styleIndex(const Cell &cell)
{
    const FontDef font { cell.bold, cell.italic, cell.textColorHex };
    qsizetype fontIndex = m_fonts.indexOf(font);
    if (fontIndex < 0) {
        fontIndex = m_fonts.size();
        m_fonts.append(font);
    }
    qsizetype fillIndex = 0;
    if (cell.fillColorHex) {
        const FillDef fill { cell.fillColorHex, QStringLiteral("solid") };
        fillIndex = m_fills.indexOf(fill);
        if (fillIndex < 0) {
            fillIndex = m_fills.size();
            m_fills.append(fill);
        }
    }
    const XFDef xf { int(fontIndex), int(fillIndex), cell.noBorder ? 0 : 1 };
    const auto found = m_xfCache.constFind(xf);
    if (found != m_xfCache.constEnd())
        return found.value();
    const int index = int(m_xfs.size());
    m_xfs.append(xf);
    m_xfCache.insert(xf, index);
    return index;
}

int XLSXWriter::sharedStringIndex(const Cell &cell)
{
    if (cell.runs.isEmpty())
        return plainStringIndex(cell.value);
    const QByteArray item = QByteArrayLiteral("  <si>") + richTextXML(cellRuns(cell.runs)).toUtf8()
        + QByteArrayLiteral("</si>\n");
    const size_t hash = qHash(item);
    for (auto it = m_richStringsByHash.constFind(hash);
         it != m_richStringsByHash.cend() && it.key() == hash; ++it) {
        if (m_sharedStrings[it.value()] == item)
            return it.value();
    }
    const int index = addSharedString(item);
    m_richStringsByHash.insert(hash, index);
    return index;
}

int XLSXWriter::plainStringIndex(const QString &value)
{
    const auto found = m_plainStringIndex.constFind(value);
    if (found != m_plainStringIndex.constEnd())
        return found.value();
    QString entry;
    entry.reserve(value.size() + 40);
    entry += QLatin1String("  <si>");
    appendCellText(entry, cellText(value));
    entry += QLatin1String("</si>\n");
    const int index = addSharedString(entry.toUtf8());
    m_plainStringIndex.insert(value, index);
    return index;
}

int XLSXWriter::addSharedString(QByteArrayView item)
{
    constexpr qsizetype blockCapacity = 1 << 20;
    if (m_sharedStringBlocks.isEmpty()
        || m_sharedStringBlocks.last().size() + item.size()
            > m_sharedStringBlocks.last().capacity()) {
        m_sharedStringBlocks.append(QByteArray());
        m_sharedStringBlocks.last().reserve(qMax(blockCapacity, item.size()));
    }
    QByteArray &block = m_sharedStringBlocks.last();
    const qsizetype start = block.size();
    block.append(item);
    m_sharedStrings.append(QByteArrayView(block).sliced(start));
    return int(m_sharedStrings.size() - 1);
}

QString XLSXWriter::richTextXML(const QList<RichTextRun> &runs)
{
    QString xml;
    for (const RichTextRun &run : runs) {
        xml += QLatin1String("<r><rPr>");
        if (run.bold)
            xml += QLatin1String("<b/>");
        if (run.italic)
            xml += QLatin1String("<i/>");
        xml += QLatin1String("<sz val=\"") + decimal(run.fontSize.value_or(11), false)
            + QLatin1String("\"/>");
        if (run.colorHex)
            xml += QLatin1String("<color rgb=\"FF") + xmlEscaped(*run.colorHex)
                + QLatin1String("\"/>");
        xml += QLatin1String("<rFont val=\"Calibri\"/></rPr>");
        appendCellText(xml, run.text);
        xml += QLatin1String("</r>");
    }
    return xml;
}

QString XLSXWriter::contentTypesXML() const
{
    const QString spreadsheetml
        = QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.");
    QString xml = declaration + QLatin1String("<Types xmlns=\"") + contentTypesNamespace
        + QLatin1String(
            "\">\n"
            "  <Default Extension=\"rels\" "
            "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>\n"
            "  <Default Extension=\"xml\" ContentType=\"application/xml\"/>\n"
            "  <Override PartName=\"/xl/workbook.xml\" ContentType=\"")
        + spreadsheetml
        + QLatin1String("sheet.main+xml\"/>\n"
                        "  <Override PartName=\"/xl/styles.xml\" ContentType=\"")
        + spreadsheetml
        + QLatin1String("styles+xml\"/>\n"
                        "  <Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"")
        + spreadsheetml + QLatin1String("sharedStrings+xml\"/>\n");
    for (int i = 1; i <= m_sheets.size(); ++i) {
        xml += QLatin1String("  <Override PartName=\"/xl/worksheets/sheet") + QString::number(i)
            + QLatin1String(".xml\" ContentType=\"") + spreadsheetml
            + QLatin1String("worksheet+xml\"/>\n");
    }
    xml += QLatin1String("</Types>");
    return xml;
}

QString XLSXWriter::workbookXML() const
{
    QString xml = declaration + QLatin1String("<workbook xmlns=\"") + mainNamespace
        + QLatin1String("\" xmlns:r=\"") + officeRelationships
        + QLatin1String("\">\n"
                        "  <bookViews>\n"
                        "    <workbookView xWindow=\"0\" yWindow=\"0\" windowWidth=\"16384\" "
                        "windowHeight=\"8192\"/>\n"
                        "  </bookViews>\n"
                        "  <sheets>\n");
    for (int i = 0; i < m_sheets.size(); ++i) {
        const QString number = QString::number(i + 1);
        xml += QLatin1String("    <sheet name=\"") + xmlEscaped(m_sheets[i].name)
            + QLatin1String("\" sheetId=\"") + number + QLatin1String("\" r:id=\"rId") + number
            + QLatin1String("\"/>\n");
    }
    xml += QLatin1String("  </sheets>\n</workbook>");
    return xml;
}

QString XLSXWriter::workbookRelsXML() const
{
    QString xml = declaration + QLatin1String("<Relationships xmlns=\"") + relationshipsNamespace
        + QLatin1String("\">\n");
    const auto relationship = [&](int id, QLatin1String type, const QString &target) {
        xml += QLatin1String("  <Relationship Id=\"rId") + QString::number(id)
            + QLatin1String("\" Type=\"") + officeRelationships + u'/' + type
            + QLatin1String("\" Target=\"") + target + QLatin1String("\"/>\n");
    };
    const int count = int(m_sheets.size());
    for (int i = 1; i <= count; ++i)
        relationship(
            i, QLatin1String("worksheet"), QStringLiteral("worksheets/sheet%1.xml").arg(i));
    relationship(count + 1, QLatin1String("styles"), QStringLiteral("styles.xml"));
    relationship(count + 2, QLatin1String("sharedStrings"), QStringLiteral("sharedStrings.xml"));
    xml += QLatin1String("</Relationships>");
    return xml;
}

QString XLSXWriter::stylesXML() const
{
    QString xml = declaration + QLatin1String("<styleSheet xmlns=\"") + mainNamespace
        + QLatin1String("\">\n  <fonts count=\"") + QString::number(m_fonts.size())
        + QLatin1String("\">\n");
    for (const FontDef &font : m_fonts) {
        xml += QLatin1String("    <font>\n      <sz val=\"11\"/>\n");
        if (font.bold)
            xml += QLatin1String("      <b/>\n");
        if (font.italic)
            xml += QLatin1String("      <i/>\n");
        if (font.colorHex)
            xml += QLatin1String("      <color rgb=\"FF") + xmlEscaped(*font.colorHex)
                + QLatin1String("\"/>\n");
        xml += QLatin1String("      <name val=\"Calibri\"/>\n    </font>\n");
    }
    xml += QLatin1String("  </fonts>\n  <fills count=\"") + QString::number(m_fills.size())
        + QLatin1String("\">\n");
    for (const FillDef &fill : m_fills) {
        xml += QLatin1String("    <fill>\n");
        if (fill.colorHex) {
            xml += QLatin1String("      <patternFill patternType=\"") + fill.pattern
                + QLatin1String("\">\n        <fgColor rgb=\"FF") + xmlEscaped(*fill.colorHex)
                + QLatin1String("\"/>\n      </patternFill>\n");
        } else {
            xml += QLatin1String("      <patternFill patternType=\"") + fill.pattern
                + QLatin1String("\"/>\n");
        }
        xml += QLatin1String("    </fill>\n");
    }
    xml += QLatin1String("  </fills>\n"
                         "  <borders count=\"2\">\n"
                         "    <border><left/><right/><top/><bottom/><diagonal/></border>\n"
                         "    <border>\n");
    for (const char *side : { "left", "right", "top", "bottom" }) {
        const QLatin1String name(side);
        xml += QLatin1String("      <") + name
            + QLatin1String(" style=\"thin\"><color auto=\"1\"/></") + name + QLatin1String(">\n");
    }
    xml += QLatin1String("      <diagonal/>\n"
                         "    </border>\n"
                         "  </borders>\n"
                         "  <cellStyleXfs count=\"1\">\n"
                         "    <xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>\n"
                         "  </cellStyleXfs>\n"
                         "  <cellXfs count=\"")
        + QString::number(m_xfs.size()) + QLatin1String("\">\n");
    for (const XFDef &xf : m_xfs) {
        xml += QLatin1String("    <xf numFmtId=\"0\" fontId=\"") + QString::number(xf.fontIndex)
            + QLatin1String("\" fillId=\"") + QString::number(xf.fillIndex)
            + QLatin1String("\" borderId=\"") + QString::number(xf.borderId) + u'"';
        if (xf.fontIndex >= 1)
            xml += QLatin1String(" applyFont=\"1\"");
        if (xf.fillIndex >= 1)
            xml += QLatin1String(" applyFill=\"1\"");
        // Only bordered formats wrap text.
        if (xf.borderId >= 1)
            xml += QLatin1String(
                " applyBorder=\"1\" applyAlignment=\"1\"><alignment wrapText=\"1\"/></xf>\n");
        else
            xml += QLatin1String("/>\n");
    }
    xml += QLatin1String("  </cellXfs>\n</styleSheet>");
    return xml;
}

void XLSXWriter::sheetXML(const Sheet &sheet, const std::function<void(QByteArrayView)> &sink) const
{
    const qsizetype rowCount = sheet.rowSizes.size();
    const qsizetype columnCount = sheet.columnCount;

    QList<QByteArray> letters;
    letters.reserve(columnCount);
    for (int c = 0; c < columnCount; ++c)
        letters.append(columnLetters(c).toLatin1());

    // Every byte after the declaration is ASCII: references and numbers. Rows go to the sink in
    // pieces of about this size.
    constexpr qsizetype pieceSize = 1 << 16;
    QByteArray xml;
    xml.reserve(pieceSize + 4096);
    xml += (declaration + QLatin1String("<worksheet xmlns=\"") + mainNamespace
        + QLatin1String("\">\n"))
               .toUtf8();
    if (rowCount >= 1 && columnCount >= 1) {
        xml += "  <dimension ref=\"A1:" + letters.constLast() + QByteArray::number(rowCount)
            + "\"/>\n";
    }
    xml += "  <sheetViews>\n"
           "    <sheetView workbookViewId=\"0\"/>\n"
           "  </sheetViews>\n"
           "  <sheetFormatPr defaultRowHeight=\"15\"/>\n";

    const QList<double> widths = sheet.columnWidths.value_or(QList<double>());
    // Columns after the last one in use, up to Z, are hidden; the range starts after the widths
    // too, so that no column is both sized and hidden.
    const qsizetype lastUsed = qMax(columnCount, widths.size());
    const bool hideRest = columnCount >= 1 && lastUsed <= 25;
    if (!widths.isEmpty() || hideRest) {
        xml += "  <cols>\n";
        for (qsizetype i = 0; i < widths.size(); ++i) {
            const QByteArray position = QByteArray::number(i + 1);
            xml += "    <col min=\"" + position + "\" max=\"" + position + "\" width=\""
                + decimal(widths[i], true).toLatin1() + "\" customWidth=\"1\"/>\n";
        }
        if (hideRest) {
            xml += "    <col min=\"" + QByteArray::number(lastUsed + 1)
                + "\" max=\"26\" width=\"0\" hidden=\"1\" customWidth=\"1\"/>\n";
        }
        xml += "  </cols>\n";
    }

    xml += "  <sheetData>\n";
    qsizetype cell = 0;
    for (qsizetype r = 0; r < rowCount; ++r) {
        const QByteArray rowNumber = QByteArray::number(r + 1);
        xml += "    <row r=\"" + rowNumber + "\">\n";
        for (qsizetype c = 0; c < sheet.rowSizes[r]; ++c, ++cell) {
            const CellIndex &index = sheet.cells[cell];
            xml += "      <c r=\"";
            xml += letters[c];
            xml += rowNumber;
            xml += "\" t=\"s\" s=\"";
            xml += QByteArray::number(index.style);
            xml += "\"><v>";
            xml += QByteArray::number(index.string);
            xml += "</v></c>\n";
        }
        xml += "    </row>\n";
        if (xml.size() >= pieceSize) {
            sink(xml);
            xml.resize(0);
        }
    }
    xml += "  </sheetData>\n</worksheet>";
    sink(xml);
}
