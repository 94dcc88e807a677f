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

    void ranges_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<Ranges>("expected");

        const auto b = DescStyle::bold;
        const auto i = DescStyle::italic;
        QString line;

        QTest::newRow("empty") << QString() << Ranges {};
        line = u"Plays song (level -6 dB)"_s;
        QTest::newRow("level remark holds the decibels")
            << line << Ranges { at(line, u"Plays"_s, b), at(line, u"(level -6 dB)"_s, i) };
        line = u"Rate is rate 1.5 sec"_s;
        QTest::newRow("match starting inside a kept range is dropped")
            << line << Ranges { at(line, u"rate 1.5"_s, i) };
        // Word boundaries follow Unicode: a Cyrillic letter after "3s" is part of the word.
        QTest::newRow("unicode word boundary") << u"3sек"_s << Ranges {};
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
        QCOMPARE(compiled.size(), sources.size() - 1);
        sources.removeAt(3);
        for (qsizetype k = 0; k < compiled.size(); ++k)
            QCOMPARE(compiled[k].pattern(), sources[k]);
        // The others still apply.
        QCOMPARE(highlightedRanges(u"5 sec", compiled).size(), 1);
    }
};

QTEST_APPLESS_MAIN(TestCueTextStyling)
#include "tst_cuetextstyling.moc"
