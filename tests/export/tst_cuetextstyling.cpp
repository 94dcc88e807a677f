#include "export/CueTextStyling.h"

#include <QTest>

using namespace CueTextStyling;
using namespace Qt::StringLiterals;
using Ranges = QList<HighlightRange>;

namespace {

// The range of the first occurrence of part in line.
HighlightRange at(const QString &line, const QString &part, DescStyle style)
{
    const qsizetype start = line.indexOf(part);
    Q_ASSERT(start >= 0);
    return { start, part.size(), style };
}

} // namespace

class TestCueTextStyling : public QObject
{
    Q_OBJECT

private slots:
    void longerEntriesComeFirst()
    {
        // A shorter entry that begins a longer one must never be tried first.
        const auto keywords = descriptionKeywords();
        for (size_t i = 0; i < keywords.size(); ++i)
            for (size_t j = i + 1; j < keywords.size(); ++j)
                QVERIFY2(!keywords[j].startsWith(keywords[i]) || keywords[j] == keywords[i],
                    qPrintable(keywords[j].toString()));
        const auto prefixes = actionTypePrefixes();
        for (size_t i = 0; i < prefixes.size(); ++i)
            for (size_t j = i + 1; j < prefixes.size(); ++j)
                QVERIFY(!prefixes[j].prefix.startsWith(prefixes[i].prefix));
    }

    void actionPrefix_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("type");

        const int none = -1;
        QTest::newRow("fade fx before fade")
            << u"Fade (fx) \u2192 Music"_s << u"Fade FX"_s << int(CueType::fade);
        QTest::newRow("start with arrow")
            << u"Start \u2192 Cue 5"_s << u"Start"_s << int(CueType::start);
        QTest::newRow("start without arrow") << u"Starting"_s << QString() << none;
        QTest::newRow("group is a subgroup") << u"Group"_s << u"Subgroup"_s << int(CueType::group);
        QTest::newRow("devamp plain") << u"Devamp"_s << u"Devamp"_s << int(CueType::devamp);
        QTest::newRow("cyrillic subject")
            << u"Audio Вступление"_s << u"Audio"_s << int(CueType::audio);
        QTest::newRow("case matters") << u"audio song"_s << QString() << none;
        QTest::newRow("empty") << QString() << QString() << none;
    }

    void actionPrefix()
    {
        QFETCH(QString, line);
        QFETCH(QString, word);
        QFETCH(int, type);
        const ActionTypePrefix *row = actionTypePrefix(line);
        if (type < 0) {
            QVERIFY(!row);
            return;
        }
        QVERIFY(row);
        QCOMPARE(row->word.toString(), word);
        QCOMPARE(int(row->type), type);
    }

    void ranges_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<Ranges>("expected");

        const auto b = DescStyle::bold;
        const auto i = DescStyle::italic;
        QString line;

        QTest::newRow("empty") << QString() << Ranges {};
        QTest::newRow("case-sensitive") << u"plays song, stops"_s << Ranges {};
        line = u"Starts the show"_s;
        QTest::newRow("longer keyword wins") << line << Ranges { at(line, u"Starts"_s, b) };
        line = u"Plays song (level -6 dB)"_s;
        QTest::newRow("level remark holds the decibels")
            << line << Ranges { at(line, u"Plays"_s, b), at(line, u"(level -6 dB)"_s, i) };
        line = u"Фейд за 3 сек"_s;
        QTest::newRow("russian fade duration")
            << line << Ranges { at(line, u"Фейд"_s, b), at(line, u"за 3 сек"_s, i) };
        line = u"Fade for 5 sec, then Fade"_s;
        QTest::newRow("every occurrence") << line
                                          << Ranges { { 0, 4, b }, at(line, u"for 5 sec"_s, i),
                                                 { line.lastIndexOf(u"Fade"), 4, b } };
        line = u"Rate is rate 1.5 sec"_s;
        QTest::newRow("match starting inside a kept range is dropped")
            << line << Ranges { at(line, u"rate 1.5"_s, i) };
        line = u"MIDI Note 60, CC 7, CC7, MSC"_s;
        QTest::newRow("midi terms") << line
                                    << Ranges { at(line, u"MIDI"_s, b), at(line, u"Note 60"_s, i),
                                           { 14, 2, i }, { line.lastIndexOf(u"MSC"), 3, i } };
        // Word boundaries follow Unicode: a Cyrillic letter after "3s" is part of the word.
        QTest::newRow("unicode word boundary") << u"3sек"_s << Ranges {};
        line = u"Ожидание 2.5s"_s;
        QTest::newRow("short duration")
            << line << Ranges { at(line, u"Ожидание"_s, b), at(line, u"2.5s"_s, i) };
        line = u"🎵 Plays"_s;
        QTest::newRow("offsets in UTF-16 units") << line << Ranges { { 3, 5, b } };
    }

    void ranges()
    {
        QFETCH(QString, line);
        QFETCH(Ranges, expected);
        QCOMPARE(highlightedRanges(line), expected);
    }

    void keywordBeatsPatternAtSameStart()
    {
        const QList<QRegularExpression> patterns = compilePatterns({ u"Plays \\w+"_s });
        const Ranges expected { { 0, 5, DescStyle::bold } };
        QCOMPARE(highlightedRanges(u"Plays song", patterns), expected);
    }

    void brokenPatternIsLeftOut()
    {
        QStringList sources = highlightPatternSources();
        sources[3] = u"(unclosed"_s;
        const QList<QRegularExpression> compiled = compilePatterns(sources);
        QCOMPARE(compiled.size(), 17);
        sources.removeAt(3);
        for (qsizetype k = 0; k < compiled.size(); ++k)
            QCOMPARE(compiled[k].pattern(), sources[k]);
        // The others still apply.
        QCOMPARE(highlightedRanges(u"5 sec", compiled).size(), 1);
    }
};

QTEST_APPLESS_MAIN(TestCueTextStyling)
#include "tst_cuetextstyling.moc"
