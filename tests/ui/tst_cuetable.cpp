#include "TestSupport.h"
#include "store/ProjectStore.h"
#include "ui/CueTableView.h"
#include "ui/ExcelTableView.h"

#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QUndoStack>

using namespace Qt::StringLiterals;

namespace {

// "Main": 0 Audio, 1 Audio named by markup, 2 Group, 3 Fade, 4 Audio; "Second": one Memo.
QLabProject project()
{
    return makeProject({},
        { { u"Main"_s,
              { makeCue(CueType::audio, u"1"_s, {}, {}, u"Plays intro"_s),
                  makeCue(CueType::audio, u"2"_s, {}, {}, u"Intro /name_Rain/ cue"_s),
                  makeCue(CueType::group, u"3"_s, {}, u"Start \u2192 a\n   x\nStop \u2192 b"_s),
                  makeCue(CueType::fade, u"4"_s, {}, {}, u"Fade out"_s),
                  makeCue(CueType::audio, u"5"_s, {}, {}, u"Another"_s) } },
            { u"Second"_s, { makeCue(CueType::memo, u"9"_s, {}, {}, u"Memo"_s) } } });
}

QString notesOf(const ProjectStore &store, int list, int cue)
{
    return store.project().cueLists[list].cues[cue].notes;
}

// Cues 1 to 40 lines tall in different columns: long actions, wrapped notes, names, triggers.
QLabProject longShow(int count)
{
    QLabProject made = makeProject({}, { { u"Long"_s, {} } });
    for (int i = 0; i < count; ++i) {
        const QString action
            = u"Audio \"%1.wav\""_s.arg(i) + u"\n   master -6 dB"_s.repeated(i * 7 % 26);
        const QString notes
            = u"Воспроизводится долгий звук дождя, затем после 5 сек Fade\n"_s.repeated(i * 3 % 9);
        QLabCue cue
            = makeCue(i % 11 ? CueType::audio : CueType::group, {}, {}, action, notes.trimmed());
        cue.name
            = u"Имя длиннее своей колонки, на несколько строк "_s.repeated(i % 5 ? 0 : i % 4 + 1);
        cue.trigger = u"MIDI Trigger: Note 60 velocity 127 channel 16 "_s.repeated(i % 13 ? 0 : 6);
        cue.preWait = i % 3;
        made.cueLists[0].cues.append(cue);
    }
    return made;
}

QLabCue cue(CueType type, const QString &action, double preWait = 0, double postWait = 0)
{
    QLabCue made = makeCue(type, {}, {}, action);
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

class CueTableTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ProjectStore> m_store;
    std::unique_ptr<ExcelTableView> m_table;

    ExcelTableView &table() { return *m_table; }
    void doubleClickDescription(int row)
    {
        QTest::mouseDClick(m_table->viewport(), Qt::LeftButton, {},
            m_table->cellRect(row, ExcelTableView::description).center());
    }
    void click(int row)
    {
        QTest::mouseClick(m_table->viewport(), Qt::LeftButton, {},
            m_table->cellRect(row, ExcelTableView::number).center());
    }

private slots:
    void init()
    {
        m_store = std::make_unique<ProjectStore>(project());
        m_table = std::make_unique<ExcelTableView>(*m_store);
        m_table->resize(1300, 500);
        m_table->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_table.get()));
    }

    void cleanup() { m_table.reset(); }

    // Stripes follow the filtered position: hiding the group puts the fade at an even row.
    void stripesFollowTheFilteredRows()
    {
        const QColor even = table().rowBackground(0);
        QVERIFY(table().rowBackground(2) != even);
        m_store->setTypeFilter({ CueType::group });
        QCOMPARE(table().rowCue(2).type, CueType::fade);
        QCOMPARE(table().rowBackground(2), even);
    }

    void editingTransitions()
    {
        QUndoStack &undo = m_store->undoManager();
        doubleClickDescription(0);
        QCOMPARE(table().editor()->toPlainText(), u"Plays intro"_s);
        QTest::keyClicks(table().editor(), u"!"_s); // the caret waits at the end
        QCOMPARE(table().editor()->toPlainText(), u"Plays intro!"_s);
        table().editor()->setPlainText(u"  New text\n\n"_s);

        click(0); // the edited row: the edit stays open
        QCOMPARE(undo.count(), 0);
        // Double clicking another description commits the first and opens the second.
        doubleClickDescription(3);
        QCOMPARE(notesOf(*m_store, 0, 0), u"New text"_s);
        QCOMPARE(table().editingCueID(), table().rowCue(3).id);

        // An unchanged text is still one edit.
        m_store->setHasUnsavedChanges(false);
        click(4);
        QCOMPARE(table().editingCueID(), std::nullopt);
        QCOMPARE(notesOf(*m_store, 0, 3), u"Fade out"_s);
        QCOMPARE(undo.count(), 2);
        QVERIFY(m_store->hasUnsavedChanges());

        doubleClickDescription(4);
        table().editor()->setPlainText(u" \n \t\n"_s);
        table().commitOpenEdit();
        QCOMPARE(notesOf(*m_store, 0, 4), QString());
    }

    void editedNameStaysInsideItsMarkup_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("new name") << u"Гроза"_s << u"Intro /name_Гроза/ cue"_s << u"Гроза"_s;
        QTest::newRow("slash") << u"Rain/Storm"_s << u"Intro /name_Rain\u2215Storm/ cue"_s
                               << u"Rain\u2215Storm"_s;
        QTest::newRow("cleared name drops the markup")
            << u"  "_s << u"Intro  cue"_s << u"Intro  cue"_s;
    }

    void editedNameStaysInsideItsMarkup()
    {
        QFETCH(QString, typed);
        QFETCH(QString, notes);
        QFETCH(QString, shown);
        doubleClickDescription(1);
        QCOMPARE(table().editor()->toPlainText(), u"Rain"_s);
        table().editor()->setPlainText(typed);
        click(0);
        QCOMPARE(notesOf(*m_store, 0, 1), notes);
        QCOMPARE(ExcelTableView::descriptionDisplayText(table().rowCue(1)), shown);
    }

    // An open edit is committed when its cue leaves the rows, and takes the next keys while shown.
    void openEditUnderChangingRows_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<int>("change");
        QTest::addColumn<bool>("stays");
        QTest::newRow("search keystroke") << 0 << 0 << false;
        QTest::newRow("type filter") << 0 << 1 << false;
        QTest::newRow("list switch") << 0 << 2 << false;
        QTest::newRow("search keeps it") << 0 << 0 << true;
        QTest::newRow("cue added to a list not shown") << 0 << 3 << true;
        QTest::newRow("cue added to the shown list") << 1 << 3 << true;
        QTest::newRow("list added") << 1 << 4 << true;
    }

    void openEditUnderChangingRows()
    {
        QFETCH(int, list);
        QFETCH(int, change);
        QFETCH(bool, stays);
        CueTableView view(*m_store);
        view.setEmptyState(new QWidget);
        view.resize(1300, 500);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        m_store->setSelectedCueListID(m_store->project().cueLists[list].id);
        ExcelTableView &inView = view.table();
        const QUuid edited = inView.rowCue(0).id;
        inView.startEditing(edited);
        inView.editor()->setPlainText(u"typed"_s);
        if (change == 0)
            m_store->setSearchText(stays ? u"intro"_s : u"zzz"_s);
        else if (change == 1)
            m_store->setTypeFilter({ stays ? CueType::fade : CueType::audio });
        else if (change == 2)
            m_store->setSelectedCueListID(m_store->project().cueLists[1].id);
        else if (change == 3)
            m_store->appendCueToLastList(makeCue(CueType::audio, u"10"_s, u"Added"_s));
        else
            m_store->appendCueList({ QUuid::createUuid(), u"Added"_s, {} });
        QCOMPARE(m_store->undoManager().count(), stays ? 0 : 1);
        QCOMPARE(inView.editingCueID(), stays ? std::optional(edited) : std::nullopt);
        if (!stays) {
            QCOMPARE(notesOf(*m_store, 0, 0), u"typed"_s);
            QCOMPARE(view.showsEmptyState(), change == 0);
            return;
        }
        QCOMPARE(inView.editor()->geometry(), inView.cellRect(0, ExcelTableView::description));
        QTest::keyClick(inView.editor(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(inView.editor(), u" more"_s);
        inView.commitOpenEdit();
        QCOMPARE(notesOf(*m_store, list, 0), u"typed more"_s);
    }

    void projectLoadUnderOpenEdit()
    {
        // Callers commit before loading; a load they did not see coming leaves no stale editor.
        doubleClickDescription(3);
        m_store->loadProject(longShow(3));
        QVERIFY(!table().editingCueID() && !table().editor()->isVisible());
        QVERIFY(table().rowCount() == 3 && !m_store->hasUnsavedChanges());
    }

    // Rows arriving while the empty state shows: those in view are measured first, the rest idle.
    void longListArrivingMeasuresTheRowsInViewFirst()
    {
        m_store->loadProject(makeProject({}, {}));
        CueTableView view(*m_store);
        view.setEmptyState(new QWidget);
        view.resize(1300, 500);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        m_store->loadProject(longShow(2000));
        ExcelTableView &inView = view.table();
        QVERIFY(!inView.allRowsMeasured());
        const int last = inView.rowAt(inView.viewport()->height() - 1);
        QVERIFY(last > 0);
        for (int row = 0; row <= last; ++row)
            QVERIFY(inView.isRowMeasured(row));
        QTRY_VERIFY_WITH_TIMEOUT(inView.allRowsMeasured(), 60000);
    }

    // New rows show from the top, or the selected row among them; an added cue leaves the view.
    void newRowsShowFromTheTop_data()
    {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("search"); // none: a cue is added
        QTest::addColumn<bool>("atTop");
        QTest::newRow("nothing selected") << -1 << u"Audio"_s << true;
        QTest::newRow("selected row among them") << 290 << u"Audio"_s << false; // all rows
        QTest::newRow("selected row filtered out") << 290 << u"2.wav"_s << true;
        QTest::newRow("cue added") << -1 << QString() << false;
    }
    void newRowsShowFromTheTop()
    {
        QFETCH(int, selected);
        QFETCH(QString, search);
        QFETCH(bool, atTop);
        m_store->loadProject(longShow(300));
        QScrollBar *bar = table().verticalScrollBar();
        QTRY_VERIFY_WITH_TIMEOUT(table().allRowsMeasured(), 60000);
        if (selected >= 0)
            m_store->setSelectedCueID(table().rowCue(selected).id);
        bar->setValue(bar->maximum() - table().viewport()->height());
        const int scrolled = bar->value();
        if (search.isEmpty())
            m_store->appendCueToLastList(makeCue(CueType::audio, {}, u"Added"_s));
        else
            m_store->setSearchText(search);
        if (atTop)
            QCOMPARE(bar->value(), 0);
        else if (selected < 0)
            QCOMPARE(bar->value(), scrolled);
        else
            QVERIFY(table().rowAt(0) <= selected
                && table().rowAt(table().viewport()->height() - 1) >= selected);
        const int last = table().rowCount() - 1;
        QCOMPARE(table().rowTop(last) + table().rowHeight(last) - table().viewport()->height(),
            bar->maximum());
    }

    void everyRowCoversItsTallestCell()
    {
        m_store->loadProject(longShow(2000));
        QCOMPARE(table().rowCount(), 2000);
        QScrollBar *bar = table().verticalScrollBar();
        QSet<int> heights;
        const auto checkRow = [&](int row) {
            QVERIFY(table().isRowMeasured(row));
            for (int c = 0; c < ExcelTableView::columnCount; ++c) {
                const CellContent cell
                    = ExcelTableView::cell(ExcelTableView::Column(c), table().rowCue(row));
                QVERIFY2(cell.height + 2 * ExcelTableView::cellPaddingY <= table().rowHeight(row),
                    qPrintable(u"row %1 column %2"_s.arg(row).arg(c)));
                QVERIFY(cell.width <= ExcelTableView::colWidths[c] + 0.5);
            }
            if (row + 1 < table().rowCount())
                QCOMPARE(table().rowTop(row + 1), table().rowTop(row) + table().rowHeight(row));
            heights.insert(table().rowHeight(row));
        };
        // Every row in view is measured, page by page, before the idle pass reaches it.
        for (int page = 0; page < 20; ++page) {
            const int first = table().rowAt(0);
            const int last = table().rowAt(table().viewport()->height() - 1);
            for (int row = first; row <= last && row >= 0; ++row)
                checkRow(row);
            bar->setValue(bar->value() + bar->pageStep());
        }
        QTRY_VERIFY_WITH_TIMEOUT(table().allRowsMeasured(), 60000);
        for (int row = 0; row < table().rowCount(); ++row)
            checkRow(row);
        QVERIFY(heights.size() > 20);
        QCOMPARE(bar->maximum(),
            table().rowTop(1999) + table().rowHeight(1999) - table().viewport()->height());
    }

    // A word without breaks is laid out only as far as its cell shows, never half a surrogate pair.
    void hugeUnbrokenWordIsCut_data()
    {
        QTest::addColumn<ExcelTableView::Column>("column");
        QTest::addColumn<QString>("word");
        const QString pairs = u"\U0001F600"_s.repeated(1 << 19);
        QTest::newRow("name, one unit before pairs") << ExcelTableView::name << u"x"_s + pairs;
        QTest::newRow("action") << ExcelTableView::action << QString(1 << 20, u'x');
        QTest::newRow("description of pairs") << ExcelTableView::description << pairs;
    }
    void hugeUnbrokenWordIsCut()
    {
        QFETCH(ExcelTableView::Column, column);
        QFETCH(QString, word);
        QLabCue huge = cue(CueType::audio, word);
        huge.name = huge.notes = word; // each cell reads its own
        const QString shown = ExcelTableView::cell(column, huge).texts.last().layout->text();
        QVERIFY(shown.size() < word.size() / 100 && shown.endsWith(u'\u2026'));
        const QString kept = shown.chopped(1);
        QVERIFY(word.startsWith(kept) && !kept.back().isHighSurrogate());
    }

    void durations_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("pattern"); // of the whole text
        QTest::newRow("tenths") << 2.25 << u"2\\.3s"_s;
        QTest::newRow("just under a minute") << 59.96 << u"60s"_s;
        QTest::newRow("1e308 s: every digit of the minutes") << 1e308 << u"16{15}\\d+m 56s"_s;
    }
    void durations()
    {
        QFETCH(double, seconds);
        QFETCH(QString, pattern);
        const QString text = ExcelTableView::formatTime(seconds);
        QVERIFY2(
            QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(text).hasMatch(),
            qPrintable(text));
    }

    // What the cells of one row paint.
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

    void description_data()
    {
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QStringList>("lines");
        // Styled runs as "b:" bold or "i:" italic text, in order.
        QTest::addColumn<QStringList>("runs");

        QTest::newRow("en keywords and duration")
            << u"After 5 sec: Plays song.wav"_s << QStringList { u"After 5 sec: Plays song.wav"_s }
            << QStringList { u"b:After"_s, u"i:5 sec"_s, u"b:Plays"_s };
        QTest::newRow("ru keywords and duration")
            << u"Через 3 сек Фейд музыки за 5 сек"_s
            << QStringList { u"Через 3 сек Фейд музыки за 5 сек"_s }
            << QStringList { u"b:Через"_s, u"i:3 сек"_s, u"b:Фейд"_s, u"i:за 5 сек"_s };
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
};

QTEST_MAIN(CueTableTest)
#include "tst_cuetable.moc"
