#include "TestSupport.h"

#include "export/PdfTableRenderer.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>

using namespace Qt::StringLiterals;

namespace {

struct Word
{
    QString text;
    double xMin, yMin, xMax, yMax;
};

using PageWords = QList<QList<Word>>;

QString numbered(const QString &stem, int count, const QString &separator)
{
    QStringList parts;
    for (int i = 0; i < count; ++i)
        parts.append(stem + QString::number(i).rightJustified(4, u'0'));
    return parts.join(separator);
}

QString run(const QString &program, const QStringList &arguments)
{
    return QString::fromUtf8(runTool(program, arguments).value_or(QByteArray()));
}

} // namespace

class TestPdfRenderer : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    int fileCount = 0;

    // Renders into a file of its own; returns the file, or nothing when nothing was rendered.
    QString render(const QList<PdfSection> &sections, const QString &title,
        const ExportSettings &settings = ExportSettings())
    {
        const std::optional<QByteArray> data
            = PdfTableRenderer::renderPDF(sections, title, settings);
        const QString path = dir.filePath(u"doc%1.pdf"_s.arg(++fileCount));
        return data && writeFile(path, *data) ? path : QString();
    }

    static PageWords words(const QString &path)
    {
        const QString html = run(u"pdftotext"_s, { u"-bbox"_s, path, u"-"_s });
        static const QRegularExpression element(
            uR"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"_s,
            QRegularExpression::UseUnicodePropertiesOption);
        PageWords pages;
        for (const QRegularExpressionMatch &m : element.globalMatch(html)) {
            if (m.captured(0).startsWith(u"<page")) {
                pages.append(QList<Word> {});
                continue;
            }
            pages.last().append({ QTextDocumentFragment::fromHtml(m.captured(5)).toPlainText(),
                m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                m.captured(4).toDouble() });
        }
        return pages;
    }

    static QStringList texts(const PageWords &pages)
    {
        QStringList all;
        for (const QList<Word> &page : pages)
            for (const Word &word : page)
                all.append(word.text);
        return all;
    }

    // The checks every document passes: readers accept it, fonts are embedded, pages are
    // 842 x 595 points, and no text leaves the table area or runs into the footer.
    static void checkDocument(const QString &path, const ExportSettings &settings, int pages)
    {
        QString errors;
        QVERIFY2(runTool(u"qpdf"_s, { u"--check"_s, path }, &errors), qPrintable(errors));

        const QString info = run(u"pdfinfo"_s, { path });
        QVERIFY2(info.contains(u"Page size:       842 x 595 pts"_s), qPrintable(info));
        QVERIFY2(info.contains(QRegularExpression(u"Pages: +%1\n"_s.arg(pages))), qPrintable(info));

        const QStringList fonts = run(u"pdffonts"_s, { path }).split(u'\n', Qt::SkipEmptyParts);
        QVERIFY(fonts.size() > 2);
        for (const QString &line : fonts.mid(2))
            QVERIFY2(line.contains(u" yes "_s) && line.contains(u"DejaVu"_s), qPrintable(line));

        const double rowsBottom = 40 + (settings.addVersionInfo ? 495 : 515);
        const PageWords all = words(path);
        QCOMPARE(all.size(), pages);
        for (const QList<Word> &page : all) {
            for (const Word &word : page) {
                QVERIFY2(word.xMin >= 39.5 && word.xMax <= 802.5, qPrintable(word.text));
                const bool footer = word.yMin > rowsBottom;
                if (!footer)
                    QVERIFY2(word.yMax <= rowsBottom + 0.5, qPrintable(word.text));
            }
        }
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        useLanguage(AppLanguage::english);
    }

    // The text layer reads as written: letters without ligatures, a tab-indented line indented
    // directly below its header, no boxes for control characters.
    void textLayerReadsAsWritten()
    {
        const QString path = render(
            { { u"Act"_s,
                { makeCue(CueType::audio, u"1"_s, u"Fin"_s, u"Audio finale.wav\n\tlevel -6 dB"_s,
                    u"Bell\u0007ring for the finale"_s) } } },
            u"Show"_s);
        const PageWords pages = words(path);
        QCOMPARE(pages.size(), 1);
        const auto find = [&](const QString &text) {
            const auto found = std::find_if(pages[0].cbegin(), pages[0].cend(),
                [&](const Word &word) { return word.text == text; });
            return found == pages[0].cend() ? nullptr : &*found;
        };
        const Word *header = find(u"Audio"_s);
        const Word *file = find(u"finale.wav"_s);
        const Word *level = find(u"level"_s);
        QVERIFY(header && file && level && find(u"finale"_s) && find(u"Bellring"_s));
        QVERIFY2(level->xMin > header->xMin + 5, qPrintable(QString::number(level->xMin)));
        QVERIFY2(level->yMin < file->yMax + 4, qPrintable(QString::number(level->yMin)));
    }

    void everyCueIsPrinted()
    {
        QList<QLabCue> cues;
        cues.append(makeCue(CueType::audio, u"1"_s, u"Вступление"_s,
            u"Audio overture.wav\n   level -6 dB\n   pre-wait: 2s\n[notes: secret]"_s,
            u"Воспроизводится увертюра (уровень -6 dB) за 5 сек"_s));
        cues[0].trigger = u"GO"_s;
        cues.append(makeCue(CueType::group, u"2"_s, u"Storm"_s,
            u"Group\nFade (fx) \u2192 Thunder\n   10 sec\nStart \u2192 Rain"_s,
            u"Plays thunder, then after 3 sec rain"_s));
        cues.append(makeCue(CueType::memo, QString(), QString()));
        QList<QLabCue> many;
        for (int i = 0; i < 60; ++i)
            many.append(makeCue(CueType::audio, QString::number(i), u"Cue%1"_s.arg(i),
                u"Audio a.wav"_s, u"Plays a"_s));
        const QString path = render({ { u"Акт 1"_s, cues }, { u"B"_s, many } }, u"Буря"_s);
        QVERIFY(!path.isEmpty());
        const PageWords pages = words(path);
        QVERIFY(pages.size() >= 3);
        checkDocument(path, ExportSettings(), int(pages.size()));

        const QStringList printed = texts(pages);
        const QStringList expected { u"Буря"_s, u"Акт"_s, u"Вступление"_s, u"overture.wav"_s,
            u"pre-wait:"_s, u"(уровень"_s, u"GO"_s, u"FX"_s, u"Subgroup"_s, u"thunder,"_s,
            u"Memo"_s, u"Generated"_s, u"Cue0"_s, u"Cue59"_s };
        for (const QString &text : expected)
            QVERIFY2(printed.contains(text), qPrintable(text));
        QVERIFY(!printed.contains(u"secret]"_s));
        QVERIFY(printed.contains(u"—"_s));

        const QString total = QString::number(pages.size());
        for (qsizetype p = 0; p < pages.size(); ++p) {
            QStringList footer;
            for (const Word &w : pages[p])
                if (w.yMin > 555)
                    footer.append(w.text);
            QVERIFY2(
                footer.join(u' ').contains(u"Page %1 / %2"_s.arg(QString::number(p + 1), total)),
                qPrintable(footer.join(u' ')));
        }
    }

    // Rows that do not fit lose no text, whatever is too long.
    void longContentLosesNothing_data()
    {
        QTest::addColumn<int>("rowsBefore");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<bool>("addVersionInfo");
        QTest::addColumn<QStringList>("tokens");

        const QString lines = numbered(u"строка"_s, 150, u"\n"_s);
        const QString names = numbered(u"имя"_s, 120, u"\n"_s);
        QTest::newRow("row after a full page")
            << 17 << u"Name"_s << lines << false << lines.split(u'\n');
        QTest::newRow("name longer than the description")
            << 3 << names << u"Plays\nStops"_s << true << names.split(u'\n');
    }

    void longContentLosesNothing()
    {
        QFETCH(int, rowsBefore);
        QFETCH(QString, name);
        QFETCH(QString, notes);
        QFETCH(bool, addVersionInfo);
        QFETCH(QStringList, tokens);

        QList<QLabCue> cues;
        for (int i = 0; i < rowsBefore; ++i)
            cues.append(
                makeCue(CueType::wait, QString::number(i), u"Short"_s, u"Wait 1"_s, u"Wait"_s));
        cues.append(makeCue(CueType::audio, u"99"_s, name, u"Audio big.wav"_s, notes));
        ExportSettings settings;
        settings.addVersionInfo = addVersionInfo;
        const QString path = render({ { u"Act"_s, cues } }, u"Title"_s, settings);
        const PageWords pages = words(path);
        QVERIFY(pages.size() >= 2);
        checkDocument(path, settings, int(pages.size()));

        QHash<QString, int> counts;
        for (const QString &text : texts(pages))
            ++counts[text];
        for (const QString &token : tokens)
            QVERIFY2(counts.value(token) == 1, qPrintable(token));
        // "⤸ continued" closes every piece that has more, "continued ⤷" opens every later one;
        // the row's first page may come after pages of shorter rows.
        const QString word = u"continued"_s;
        qsizetype rowStart = -1;
        for (qsizetype p = 0; p < pages.size(); ++p) {
            const QString printed = texts({ pages[p] }).join(u' ');
            const bool below = printed.contains(u"\u2938 "_s + word);
            if (rowStart < 0 && below)
                rowStart = p;
            QCOMPARE(below, rowStart >= 0 && p + 1 < pages.size());
            QCOMPARE(printed.contains(word + u" \u2937"_s), rowStart >= 0 && p > rowStart);
        }
        // The identifying cells are repeated on every page the row reaches.
        QVERIFY(counts.value(u"big.wav"_s) == 1);
        QVERIFY(counts.value(u"99"_s) >= 2);
    }

    void longHeadingsAreElided_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("wholeWord");
        QTest::newRow("long title") << numbered(u"Заголовок"_s, 40, u" "_s) << u"Act"_s << u"Act"_s;
        QTest::newRow("long section")
            << u"Show"_s << numbered(u"Section"_s, 40, u" "_s) << u"Show"_s;
    }

    void longHeadingsAreElided()
    {
        QFETCH(QString, title);
        QFETCH(QString, section);
        QFETCH(QString, wholeWord);
        const QString path = render({ { section, {} } }, title);
        checkDocument(path, ExportSettings(), 1);
        const QStringList printed = texts(words(path));
        QVERIFY(printed.contains(wholeWord));
        QVERIFY(printed.join(u' ').contains(u"…"_s));
    }

    // No sections still give a page; no columns give nothing.
    void emptyDocuments()
    {
        ExportSettings settings;
        settings.addVersionInfo = false;
        const QString path = render({}, u"Empty"_s, settings);
        checkDocument(path, settings, 1);
        const QStringList printed = texts(words(path));
        QVERIFY(printed.contains(u"Empty"_s));
        QVERIFY(!printed.contains(u"Generated"_s));
        settings.selectedColumns.clear();
        QVERIFY(!PdfTableRenderer::renderPDF({ { u"S"_s, {} } }, u"T"_s, settings));
    }
};

QTEST_MAIN(TestPdfRenderer)
#include "tst_pdfrenderer.moc"
