#include "ExportCues.h"

#include "export/PdfCellTexts.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const PdfCellTexts::Fonts fonts = [] {
    QFont regular(u"DejaVu Sans"_s);
    regular.setPointSizeF(8);
    QFont bold = regular;
    bold.setBold(true);
    QFont italic = regular;
    italic.setItalic(true);
    QFont small = regular;
    small.setPointSizeF(7);
    return PdfCellTexts::Fonts { regular, bold, italic, small };
}();

QString colorName(const QColor &color)
{
    if (color == PdfCellTexts::black())
        return u"black"_s;
    if (color == PdfCellTexts::gray())
        return u"gray"_s;
    if (color == PdfCellTexts::darkGray())
        return u"darkgray"_s;
    if (color == PdfCellTexts::waitColor())
        return u"wait"_s;
    for (CueType type : allCueTypes()) {
        if (color == cueTypeColor(type))
            return rawValue(type);
    }
    return color.name();
}

QString fontName(const QFont &font)
{
    if (font == fonts.regular)
        return u"regular"_s;
    if (font == fonts.bold)
        return u"bold"_s;
    if (font == fonts.italic)
        return u"italic"_s;
    if (font == fonts.small)
        return u"small"_s;
    return font.toString();
}

// "text|font|colour" per run; text between runs as "text|-".
QStringList runs(const StyledText &styled)
{
    QStringList result;
    int at = 0;
    for (const QTextLayout::FormatRange &range : styled.formats) {
        if (range.start > at)
            result.append(styled.text.mid(at, range.start - at) + u"|-"_s);
        result.append(styled.text.mid(range.start, range.length) + u'|'
            + fontName(range.format.font()) + u'|' + colorName(range.format.foreground().color()));
        at = range.start + range.length;
    }
    if (at < styled.text.size())
        result.append(styled.text.mid(at) + u"|-"_s);
    return result;
}

} // namespace

class TestPdfCellTexts : public QObject
{
    Q_OBJECT

private slots:
    void actionCell_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("preserveColors");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("empty") << QString() << true << QStringList { u"—|regular|gray"_s };
        QTest::newRow("only hidden lines")
            << u"[notes: a]\n  [notes: b]"_s << true << QStringList {};
        QTest::newRow("prefix alone")
            << u"Audio   "_s << true << QStringList { u"Audio|bold|Audio"_s };
        QTest::newRow("colours off") << u"Start \u2192 Cue 5"_s << false
                                     << QStringList { u"Start \u2192 Cue 5|bold|black"_s };
        QTest::newRow("unknown header")
            << u"Memo"_s << true << QStringList { u"Memo|bold|black"_s };
        QTest::newRow("lines")
            << u"Audio a.wav\n   level -6 dB\n\tpre-wait: 2s\n[notes: x]\n   post-wait: 1 sec\nStop \u2192 Cue 2"_s
            << true
            << QStringList { u"Audio|bold|Audio"_s, u" a.wav|regular|black"_s, u"\n|-"_s,
                   u"   level -6 dB|small|darkgray"_s, u"\n|-"_s, u"    pre-wait: 2s|small|wait"_s,
                   u"\n|-"_s, u"   post-wait: 1 sec|small|wait"_s, u"\n|-"_s, u"Stop|bold|Stop"_s,
                   u" Cue 2|regular|black"_s };
    }

    void actionCell()
    {
        QFETCH(QString, action);
        QFETCH(bool, preserveColors);
        QFETCH(QStringList, expected);
        const StyledText text
            = PdfCellTexts::actionCellText(makeCue(CueType::audio, {}, {}, action), fonts.regular,
                fonts.bold, fonts.small, preserveColors);
        QCOMPARE(runs(text), expected);
    }

    void description_data()
    {
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("empty") << QString() << QStringList { u"—|regular|gray"_s };
        QTest::newRow("russian lines")
            << u"Запускается\n\nФейд за 3 сек"_s
            << QStringList { u"Запускается|bold|black"_s, u"\n\n|-"_s, u"Фейд|bold|black"_s,
                   u" |regular|black"_s, u"за 3 сек|italic|darkgray"_s };
        QTest::newRow("plain") << u"just words"_s << QStringList { u"just words|regular|black"_s };
        QTest::newRow("tabs expanded, controls dropped")
            << u"Bell\u0007 ring\tA\r\nB"_s
            << QStringList { u"Bell ring   A|regular|black"_s, u"\n|-"_s, u"B|regular|black"_s };
        QTest::newRow("name markup printed as stored")
            << u"/name_Intro/ Plays"_s
            << QStringList { u"/name_Intro/ |regular|black"_s, u"Plays|bold|black"_s };
    }

    void description()
    {
        QFETCH(QString, notes);
        QFETCH(QStringList, expected);
        const StyledText text = PdfCellTexts::styledDescription(
            makeCue(CueType::audio, {}, {}, {}, notes), fonts.regular, fonts.bold, fonts.italic);
        QCOMPARE(runs(text), expected);
    }

    void plainCells_data()
    {
        QTest::addColumn<ExportColumn>("column");
        QTest::addColumn<CueType>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("preserveColors");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("type coloured") << ExportColumn::type << CueType::audio << QString() << true
                                       << QStringList { u"Audio|bold|Audio"_s };
        QTest::newRow("type black") << ExportColumn::type << CueType::audio << QString() << false
                                    << QStringList { u"Audio|bold|black"_s };
        QTest::newRow("empty full type name")
            << ExportColumn::type << CueType::midi << u"-"_s << true << QStringList {};
        QTest::newRow("number") << ExportColumn::number << CueType::audio << u"12"_s << true
                                << QStringList { u"12|regular|black"_s };
        QTest::newRow("group number") << ExportColumn::number << CueType::group << u"3"_s << true
                                      << QStringList { u"3|bold|black"_s };
        QTest::newRow("empty group name") << ExportColumn::name << CueType::group << QString()
                                          << true << QStringList { u"—|bold|gray"_s };
        QTest::newRow("empty trigger") << ExportColumn::trigger << CueType::audio << QString()
                                       << true << QStringList { u"—|regular|gray"_s };
    }

    void plainCells()
    {
        QFETCH(ExportColumn, column);
        QFETCH(CueType, type);
        QFETCH(QString, text);
        QFETCH(bool, preserveColors);
        QFETCH(QStringList, expected);
        QLabCue subject = makeCue(type, {}, {});
        if (column == ExportColumn::type && !text.isEmpty())
            subject.fullTypeName = QString();
        subject.number = column == ExportColumn::number ? text : QString();
        subject.name = column == ExportColumn::name ? text : QString();
        QCOMPARE(runs(PdfCellTexts::cellText(column, subject, fonts, preserveColors)), expected);
    }

    void splitLines_data()
    {
        QTest::addColumn<StyledText>("text");
        QTest::addColumn<QList<QStringList>>("expected");

        StyledText marks;
        marks.append(u"Plays 🎵"_s, fonts.bold, PdfCellTexts::black());
        marks.appendLineBreak();
        marks.append(u"е\u0301 ok"_s, fonts.regular, PdfCellTexts::gray());
        marks.append(u"👩‍🎤!"_s, fonts.italic, PdfCellTexts::darkGray());
        QTest::newRow("emoji and combining marks")
            << marks
            << QList<QStringList> { { u"Plays 🎵|bold|black"_s },
                   { u"е\u0301 ok|regular|gray"_s, u"👩‍🎤!|italic|darkgray"_s } };
        QTest::newRow("run across line feeds")
            << StyledText::plain(u"a\n\nb\n"_s, fonts.small, PdfCellTexts::waitColor())
            << QList<QStringList> { { u"a|small|wait"_s }, {}, { u"b|small|wait"_s }, {} };
        QTest::newRow("empty") << StyledText() << QList<QStringList> { {} };
    }

    void splitLines()
    {
        QFETCH(StyledText, text);
        QFETCH(QList<QStringList>, expected);
        QList<QStringList> lines;
        for (const StyledText &line : text.splitLines())
            lines.append(runs(line));
        QCOMPARE(lines, expected);
    }
};

QTEST_MAIN(TestPdfCellTexts)
#include "tst_pdfcelltexts.moc"
