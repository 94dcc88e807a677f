#include "model/LanguageManager.h"
#include "ui/ExcelTableView.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QLabCue cue(CueType type, const QString &action, double preWait = 0, double postWait = 0)
{
    QLabCue made;
    made.id = QUuid::createUuid();
    made.type = type;
    made.action = action;
    made.preWait = preWait;
    made.postWait = postWait;
    return made;
}

// What a cell paints, line by line as its layouts broke them.
QStringList paintedLines(const CellContent &content)
{
    QStringList lines;
    for (const CellContent::Text &text : content.texts) {
        const QString all = text.layout->text();
        for (int i = 0; i < text.layout->lineCount(); ++i) {
            const QTextLine line = text.layout->lineAt(i);
            QString part = all.mid(line.textStart(), line.textLength());
            part.remove(QChar::LineSeparator);
            lines.append(part);
        }
    }
    return lines;
}

} // namespace

class CueTableCellsTest : public QObject
{
    Q_OBJECT

private slots:
    void actionCell_data()
    {
        QTest::addColumn<QLabCue>("cue");
        QTest::addColumn<QStringList>("lines");

        QTest::newRow("empty, no waits: placeholder")
            << cue(CueType::audio, {}) << QStringList { u"Audio"_s, u"\u2014"_s };
        QTest::newRow("empty, tiny pre-wait: chip, no wait line")
            << cue(CueType::audio, {}, 0.0005) << QStringList { u"Audio"_s };
        QTest::newRow("empty group with pre-wait")
            << cue(CueType::group, {}, 2) << QStringList { u"   pre-wait: 2s"_s };
        QTest::newRow("only notes lines") << cue(CueType::audio, u"[notes: a]\n  [notes: b]"_s, 0,
            90.5) << QStringList { u"   post-wait: 1m 30s"_s };
        QTest::newRow("fade fx before fade") << cue(CueType::fade, u"Fade (fx) \u2192 Музыка"_s)
                                             << QStringList { u"Fade FX"_s, u"Музыка"_s };
        QTest::newRow("unknown header, single")
            << cue(CueType::midi, u"Hello world\n[notes: x]\nnext"_s)
            << QStringList { u"MIDI"_s, u"Hello world"_s, u"next"_s };
        QTest::newRow("group blocks")
            << cue(CueType::group,
                   u"Group inner\n   pre-wait: 1s\n\nHello\n   CC 7\nAudio \"a.wav\""_s, 0, 3)
            << QStringList { u"Subgroup"_s, u"inner"_s, u"   pre-wait: 1s"_s, u"Cue"_s, u"Hello"_s,
                   u"   CC 7"_s, u"Audio"_s, u"\"a.wav\""_s, u"   post-wait: 3s"_s };
    }

    void actionCell()
    {
        QFETCH(QLabCue, cue);
        QFETCH(QStringList, lines);
        QCOMPARE(paintedLines(ExcelTableView::actionCell(cue, 600)), lines);
    }

    void formatTime_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("half up") << 2.25 << u"2.3s"_s;
        QTest::newRow("rounds to a minute's edge") << 59.96 << u"60s"_s;
        QTest::newRow("one minute") << 60.0 << u"1m"_s;
        QTest::newRow("minute and a half") << 90.5 << u"1m 30s"_s;
    }

    void formatTime()
    {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(ExcelTableView::formatTime(seconds), text);
    }

    void description_data()
    {
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QStringList>("lines");
        // Styled runs as "b:" bold or "i:" italic text, in order.
        QTest::addColumn<QStringList>("runs");

        QTest::newRow("en keywords and duration")
            << u"After 5 sec: Plays song.wav"_s << QStringList { u"After 5 sec: Plays song.wav"_s }
            << QStringList { u"b:After"_s, u"i:5 sec"_s, u"b:Plays"_s };
        QTest::newRow("en level remark swallows decibels")
            << u"Plays song (level -6 dB)"_s << QStringList { u"Plays song (level -6 dB)"_s }
            << QStringList { u"b:Plays"_s, u"i:(level -6 dB)"_s };
        QTest::newRow("ru keywords and duration")
            << u"Через 3 сек Фейд музыки за 5 сек"_s
            << QStringList { u"Через 3 сек Фейд музыки за 5 сек"_s }
            << QStringList { u"b:Через"_s, u"i:3 сек"_s, u"b:Фейд"_s, u"i:за 5 сек"_s };
        QTest::newRow("name markup shows the name")
            << u"старое /name_Plays/ прочее"_s << QStringList { u"Plays"_s }
            << QStringList { u"b:Plays"_s };
        QTest::newRow("dash is the placeholder")
            << u"\u2014"_s << QStringList { u"\u2014"_s } << QStringList {};
    }

    void description()
    {
        QFETCH(QString, notes);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, runs);
        QLabCue described = cue(CueType::audio, {});
        described.notes = notes;
        const CellContent content = ExcelTableView::descriptionCell(described, 1000);
        QCOMPARE(paintedLines(content), lines);
        QStringList styled;
        const QTextLayout &layout = *content.texts.first().layout;
        for (const QTextLayout::FormatRange &range : layout.formats()) {
            const QFont font = range.format.font();
            if (font.bold() || font.italic())
                styled.append((font.bold() ? u"b:"_s : u"i:"_s)
                    + layout.text().mid(range.start, range.length));
        }
        QCOMPARE(styled, runs);
    }

    void plainCells()
    {
        QLabCue group = cue(CueType::group, {});
        group.fullTypeName = u"Group (Timeline)"_s;
        QCOMPARE(paintedLines(ExcelTableView::cueTypeBadge(group, 180)),
            (QStringList { u"Group"_s, u"(Timeline)"_s }));
        // A long name wraps inside its column instead of running into the next one.
        group.name = u"Очень длинное имя сигнала, которое не помещается в одну строку колонки"_s;
        const CellContent name = ExcelTableView::nameCell(group, 180);
        QVERIFY(paintedLines(name).size() > 1);
        QVERIFY(name.width <= 180);
    }
};

QTEST_MAIN(CueTableCellsTest)
#include "tst_cuetablecells.moc"
