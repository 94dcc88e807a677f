#include "ExportCues.h"

#include "export/PdfTableRenderer.h"
#include "model/LanguageManager.h"

#include <QCoreApplication>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
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

ExportSettings settingsWith(bool preserveColors, bool addVersionInfo)
{
    ExportSettings settings;
    settings.preserveColors = preserveColors;
    settings.addVersionInfo = addVersionInfo;
    return settings;
}

QColor white(double level)
{
    return QColor::fromRgbF(float(level), float(level), float(level));
}

bool near(const QColor &a, const QColor &b)
{
    return qAbs(a.red() - b.red()) <= 2 && qAbs(a.green() - b.green()) <= 2
        && qAbs(a.blue() - b.blue()) <= 2;
}

QString run(const QString &program, const QStringList &arguments, int *exitCode = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return QString();
    if (exitCode)
        *exitCode = process.exitCode();
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
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
        QFile file(path);
        if (!data || !file.open(QIODevice::WriteOnly) || file.write(*data) != data->size())
            return QString();
        return path;
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
        int status = -1;
        const QString check = run(u"qpdf"_s, { u"--check"_s, path }, &status);
        QVERIFY2(status == 0, qPrintable(check));

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
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    }

    void init() { LanguageManager::shared().setCurrent(AppLanguage::english); }

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

    // Every cue's text is printed, and every page's label carries the real page total.
    void everyCueIsPrinted_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("page");
        QTest::newRow("english") << AppLanguage::english
                                 << QStringList { u"Type"_s, u"Description"_s } << u"Page"_s;
        QTest::newRow("russian") << AppLanguage::russian << QStringList { u"Тип"_s, u"Описание"_s }
                                 << u"Стр."_s;
    }

    void everyCueIsPrinted()
    {
        QFETCH(AppLanguage, language);
        QFETCH(QStringList, expected);
        QFETCH(QString, page);
        LanguageManager::shared().setCurrent(language);

        QList<QLabCue> cues;
        cues.append(makeCue(CueType::audio, u"1"_s, u"Вступление"_s,
            u"Audio overture.wav\n   level -6 dB\n   pre-wait: 2s\n[notes: secret]"_s,
            u"Воспроизводится увертюра (уровень -6 dB) за 5 сек"_s, u"GO"_s));
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
        expected << u"Буря"_s << u"Акт"_s << u"Вступление"_s << u"overture.wav"_s << u"-6"_s
                 << u"pre-wait:"_s << u"Воспроизводится"_s << u"увертюра"_s << u"(уровень"_s
                 << u"GO"_s << u"Storm"_s << u"Fade"_s << u"FX"_s << u"Thunder"_s << u"Subgroup"_s
                 << u"Rain"_s << u"thunder,"_s << u"rain"_s << u"Memo"_s << u"Generated"_s
                 << u"Marrowlark"_s << u"Cue0"_s << u"Cue59"_s;
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
            QVERIFY2(footer.join(u' ').contains(
                         u"%1 %2 / %3"_s.arg(page, QString::number(p + 1), total)),
                qPrintable(footer.join(u' ')));
        }
    }

    // Rows that do not fit lose no text, whatever is too long.
    void longContentLosesNothing_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<int>("rowsBefore");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<bool>("addVersionInfo");
        QTest::addColumn<QStringList>("tokens");

        const QString lines = numbered(u"строка"_s, 150, u"\n"_s);
        const QString paragraph = numbered(u"word"_s, 1500, u" "_s);
        const QString shortName = u"Name"_s;
        for (const AppLanguage language : { AppLanguage::english, AppLanguage::russian }) {
            const char *lang = language == AppLanguage::english ? "en" : "ru";
            QTest::addRow("%s: row over three pages", lang)
                << language << 0 << shortName << lines << true << lines.split(u'\n');
            QTest::addRow("%s: row after a full page", lang)
                << language << 17 << shortName << lines << false << lines.split(u'\n');
            QTest::addRow("%s: paragraph longer than a page", lang)
                << language << 0 << shortName << paragraph << true << paragraph.split(u' ');
            QTest::addRow("%s: paragraph below other rows", lang)
                << language << 15 << shortName << paragraph << false << paragraph.split(u' ');
            QTest::addRow("%s: name longer than the description", lang)
                << language << 3 << numbered(u"имя"_s, 120, u"\n"_s) << u"Plays\nStops"_s << true
                << numbered(u"имя"_s, 120, u"\n"_s).split(u'\n');
        }
    }

    void longContentLosesNothing()
    {
        QFETCH(AppLanguage, language);
        QFETCH(int, rowsBefore);
        QFETCH(QString, name);
        QFETCH(QString, notes);
        QFETCH(bool, addVersionInfo);
        QFETCH(QStringList, tokens);
        LanguageManager::shared().setCurrent(language);

        QList<QLabCue> cues;
        for (int i = 0; i < rowsBefore; ++i)
            cues.append(
                makeCue(CueType::wait, QString::number(i), u"Short"_s, u"Wait 1"_s, u"Wait"_s));
        cues.append(makeCue(CueType::audio, u"99"_s, name, u"Audio big.wav"_s, notes));
        const ExportSettings settings = settingsWith(true, addVersionInfo);
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
        const QString word = language == AppLanguage::english ? u"continued"_s : u"перенос"_s;
        qsizetype rowStart = -1;
        for (qsizetype p = 0; p < pages.size(); ++p) {
            QStringList page;
            for (const Word &w : pages[p])
                page.append(w.text);
            const QString printed = page.join(u' ');
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

    void longWordWrapsAnywhere()
    {
        const QString word = numbered(u"x"_s, 120, QString());
        QList<QLabCue> cues { makeCue(CueType::audio, u"1"_s, u"N"_s, u"Audio"_s, word) };
        ExportSettings settings;
        settings.selectedColumns = { ExportColumn::number, ExportColumn::description };
        const QString path = render({ { u"S"_s, cues } }, u"T"_s, settings);
        checkDocument(path, settings, 1);
        const QString text = run(u"pdftotext"_s, { path, u"-"_s });
        QVERIFY(QString(text).remove(QRegularExpression(u"\\s"_s)).contains(word));
    }

    void longHeadingsAreElided_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("wholeWord");
        const QString longTitle = numbered(u"Заголовок"_s, 40, u" "_s);
        const QString longSection = numbered(u"Section"_s, 40, u" "_s);
        QTest::newRow("long title") << longTitle << u"Act"_s << u"Act"_s;
        QTest::newRow("long section") << u"Show"_s << longSection << u"Show"_s;
        QTest::newRow("title with line breaks")
            << QString(longTitle).replace(u' ', u'\n') << QString() << u"Заголовок0000"_s;
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

    void sectionsStartPages()
    {
        QList<QLabCue> cues { makeCue(CueType::audio, u"1"_s, u"One"_s, u"Audio"_s, u"x"_s),
            makeCue(CueType::audio, u"2"_s, u"Two"_s, u"Audio"_s, u"y"_s) };
        const QString path = render({ { u"Act 1"_s, cues }, { QString(), cues } }, u"Show"_s);
        checkDocument(path, ExportSettings(), 2);
        const PageWords pages = words(path);
        QStringList first, second;
        for (const Word &w : pages[0])
            first.append(w.text);
        for (const Word &w : pages[1])
            second.append(w.text);
        QVERIFY(first.join(u' ').startsWith(u"Show — Act 1 Type"_s));
        // An unnamed section has no dash after the title.
        QVERIFY(second.join(u' ').startsWith(u"Show Type"_s));
        QVERIFY(second.contains(u"Two"_s));
    }

    // Row shading counts from the first row of each section; with colours a 4-point strip in the
    // cue type's colour runs down the left of every row and the first column's text moves right.
    void shadingStripAndInset_data()
    {
        QTest::addColumn<bool>("preserveColors");
        QTest::newRow("colours") << true;
        QTest::newRow("no colours") << false;
    }

    void shadingStripAndInset()
    {
        QFETCH(bool, preserveColors);
        QList<QLabCue> cues;
        for (int i = 0; i < 3; ++i)
            cues.append(makeCue(i == 1 ? CueType::stop : CueType::audio, u"%1"_s.arg(i + 1),
                u"Row%1"_s.arg(i + 1), u"Audio"_s, u"Plays"_s));
        const ExportSettings settings = settingsWith(preserveColors, false);
        const QString path = render({ { u"A"_s, cues }, { u"B"_s, cues } }, u"T"_s, settings);
        checkDocument(path, settings, 2);
        const QString prefix = dir.filePath(u"shading"_s);
        int status = -1;
        run(u"pdftoppm"_s, { u"-r"_s, u"72"_s, u"-png"_s, path, prefix }, &status);
        QCOMPARE(status, 0);

        const PageWords pages = words(path);
        for (int p = 0; p < 2; ++p) {
            const QImage image(u"%1-%2.png"_s.arg(prefix).arg(p + 1));
            QCOMPARE(image.size(), QSize(842, 595));
            for (int row = 0; row < 3; ++row) {
                const auto word = std::find_if(pages[p].cbegin(), pages[p].cend(),
                    [&](const Word &w) { return w.text == u"Row%1"_s.arg(row + 1); });
                QVERIFY(word != pages[p].cend());
                const int y = int((word->yMin + word->yMax) / 2);
                const QColor background = row == 1 ? white(0.96) : white(1);
                QVERIFY2(near(image.pixelColor(800, y), background), qPrintable(word->text));
                const QColor strip = preserveColors
                    ? cueTypeColor(row == 1 ? CueType::stop : CueType::audio)
                    : background;
                QVERIFY2(near(image.pixelColor(41, y), strip), qPrintable(word->text));

                // The type column's text starts after the padding, and after the strip.
                const auto type = std::find_if(pages[p].cbegin(), pages[p].cend(),
                    [&](const Word &w) { return w.yMin == word->yMin && w.xMin < 100; });
                QVERIFY(type != pages[p].cend());
                QVERIFY2(qAbs(type->xMin - (preserveColors ? 50 : 44)) < 0.5,
                    qPrintable(QString::number(type->xMin)));
            }
        }
    }

    void noColumnsGivesNothing()
    {
        ExportSettings settings;
        settings.selectedColumns.clear();
        QVERIFY(!PdfTableRenderer::renderPDF({ { u"S"_s, {} } }, u"T"_s, settings));
    }

    void noSectionsGivesOnePage()
    {
        const ExportSettings settings = settingsWith(true, false);
        const QString path = render({}, u"Empty"_s, settings);
        checkDocument(path, settings, 1);
        const QStringList printed = texts(words(path));
        QVERIFY(printed.contains(u"Empty"_s));
        QVERIFY(!printed.contains(u"Generated"_s));
    }
};

QTEST_MAIN(TestPdfRenderer)
#include "tst_pdfrenderer.moc"
