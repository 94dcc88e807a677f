#include "ui/ExcelTableView.h"

#include "model/LanguageManager.h"
#include "store/ProjectStore.h"
#include "ui/Palette.h"

#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <ranges>

using namespace Qt::StringLiterals;

namespace {

constexpr int scrollStep = 20;
// An idle measuring slice stays well inside one frame.
constexpr qint64 idleSliceMs = 8;

QColor withOpacity(QColor color, float opacity)
{
    color.setAlphaF(opacity);
    return color;
}

// The colour seen where top lies over an opaque bottom. Rows are filled with opaque colours:
// blending whole rows is what makes painting slow.
QColor over(const QColor &top, const QColor &bottom)
{
    const float a = top.alphaF();
    const auto mix = [a](float t, float b) { return t * a + b * (1 - a); };
    return QColor::fromRgbF(mix(top.redF(), bottom.redF()), mix(top.greenF(), bottom.greenF()),
        mix(top.blueF(), bottom.blueF()));
}

// White in the dark theme, black in the light one.
QColor contrastLayer(float opacity)
{
    return withOpacity(LanguageManager::shared().isDark() ? Qt::white : Qt::black, opacity);
}

QFont headerFont()
{
    QFont font(u"DejaVu Sans"_s);
    font.setPixelSize(9);
    font.setWeight(QFont::Medium);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    return font;
}

QFont editorFont()
{
    QFont font(u"DejaVu Sans"_s);
    font.setPixelSize(11);
    return font;
}

// Strings of a cue copied from the store share their data, so the pointer settles most cases.
bool sameText(const QString &a, const QString &b)
{
    return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
}

// Everything a row's height depends on.
bool sameCellTexts(const QLabCue &a, const QLabCue &b)
{
    return a.type == b.type && a.preWait == b.preWait && a.postWait == b.postWait
        && sameText(a.number, b.number) && sameText(a.name, b.name) && sameText(a.action, b.action)
        && sameText(a.notes, b.notes) && sameText(a.trigger, b.trigger)
        && a.fullTypeName.has_value() == b.fullTypeName.has_value()
        && (!a.fullTypeName || sameText(*a.fullTypeName, *b.fullTypeName));
}

const QLabCue *findCue(const QLabProject &project, const QUuid &id)
{
    for (const QLabCueList &list : project.cueLists) {
        for (const QLabCue &cue : list.cues) {
            if (cue.id == id)
                return &cue;
            for (const QLabCue &child : cue.children) {
                if (child.id == id)
                    return &child;
            }
        }
    }
    return nullptr;
}

qreal columnLeft(int column)
{
    qreal x = 0;
    for (int c = 0; c < column; ++c)
        x += ExcelTableView::colWidths[c] + 2 * ExcelTableView::cellPaddingX;
    return x;
}

} // namespace

// The column titles, pinned above the rows and moved sideways with them.
class ExcelTableView::Header : public QWidget
{
public:
    explicit Header(ExcelTableView &table)
        : QWidget(&table)
        , m_table(table)
    { }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Palette::canvas());
        const qreal left = m_table.gridLeft() - m_table.horizontalScrollBar()->value();
        const QRectF grid(left, 0, gridWidth(), height());
        painter.fillRect(grid, Palette::panel());
        painter.setFont(headerFont());
        painter.setPen(Palette::mutedText());
        for (int c = 0; c < columnCount; ++c) {
            const QRectF text(left + columnLeft(c) + cellPaddingX, cellPaddingX, colWidths[c],
                height() - 2 * cellPaddingX);
            painter.drawText(
                text, Qt::AlignLeft | Qt::AlignVCenter, columnTitle(Column(c)).toUpper());
        }
        painter.setPen(QPen(Palette::line(), 0.5));
        painter.drawLine(
            QPointF(grid.left(), height() - 0.25), QPointF(grid.right(), height() - 0.25));
    }

private:
    ExcelTableView &m_table;
};

ExcelTableView::ExcelTableView(ProjectStore &store, QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_store(store)
    , m_header(new Header(*this))
    , m_editor(new QPlainTextEdit(viewport()))
{
    setObjectName(u"cueTable"_s);
    setFrameShape(QFrame::NoFrame);
    setViewportMargins(0, headerHeight(), 0, 0);
    viewport()->setMouseTracking(true);
    viewport()->installEventFilter(this);
    verticalScrollBar()->setSingleStep(scrollStep);
    horizontalScrollBar()->setSingleStep(scrollStep);

    m_editor->setObjectName(u"descriptionEditor"_s);
    m_editor->setFont(editorFont());
    m_editor->setFrameShape(QFrame::NoFrame);
    m_editor->document()->setDocumentMargin(0);
    m_editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_editor->viewport()->installEventFilter(this);
    m_editor->hide();
    styleEditor();
    connect(m_editor, &QPlainTextEdit::textChanged, this, &ExcelTableView::editorTextChanged);

    connect(&m_store, &ProjectStore::filteredCuesChanged, this, &ExcelTableView::showNewRows);
    connect(&m_store, &ProjectStore::filteredCueAppended, this, &ExcelTableView::appendRow);
    connect(&m_store, &ProjectStore::filteredCuesEdited, this, &ExcelTableView::reloadRows);
    connect(&m_store, &ProjectStore::projectChanged, this, [this] {
        m_listHeights.checked = false;
        for (ListHeights &list : m_otherListHeights)
            list.checked = false;
    });
    connect(
        &m_store, &ProjectStore::selectedCueIDChanged, viewport(), qOverload<>(&QWidget::update));
    const LanguageManager &language = LanguageManager::shared();
    connect(&language, &LanguageManager::currentChanged, m_header, qOverload<>(&QWidget::update));
    connect(&language, &LanguageManager::isDarkChanged, this, [this] {
        styleEditor();
        m_header->update();
        viewport()->update();
    });
    reloadRows();
}

ExcelTableView::~ExcelTableView() = default;

qreal ExcelTableView::gridWidth()
{
    return columnLeft(columnCount);
}

int ExcelTableView::headerHeight() const
{
    return int(std::ceil(QFontMetricsF(headerFont()).height() + 2 * cellPaddingX));
}

qreal ExcelTableView::gridLeft() const
{
    return std::max<qreal>(0, std::floor((viewport()->width() - gridWidth()) / 2));
}

const QLabCue &ExcelTableView::rowCue(int row) const
{
    return m_store.filteredCue(row);
}

void ExcelTableView::showNewRows()
{
    loadRows();
    verticalScrollBar()->setValue(topShowingSelection());
    showRowsInView();
    // The rows changed under an open edit (a search keystroke, another list, another project):
    // when its cue left them, the edit is committed as a click elsewhere would, never dropped.
    if (m_editingCueID && m_editingRow < 0)
        commitOpenEdit();
}

void ExcelTableView::reloadRows()
{
    loadRows();
    showRowsInView();
}

void ExcelTableView::showRowsInView()
{
    measureVisibleRows();
    placeEditor();
    viewport()->update();
    m_header->update();
}

void ExcelTableView::loadRows()
{
    ++m_reloads;
    const std::optional<QUuid> listID = m_store.selectedCueListID();
    if (listID != m_listHeightsID) {
        if (m_listHeightsID)
            m_otherListHeights.insert(*m_listHeightsID, std::move(m_listHeights));
        m_listHeights = listID ? m_otherListHeights.take(*listID) : ListHeights();
        m_listHeightsID = listID;
        // Heights of lists the project no longer holds are never asked for again.
        const QList<QLabCueList> &lists = m_store.project().cueLists;
        m_otherListHeights.removeIf([&lists](const auto &entry) {
            return std::none_of(lists.cbegin(), lists.cend(),
                [&entry](const QLabCueList &list) { return list.id == entry.key(); });
        });
    }
    const qsizetype count = m_store.filteredCueCount();
    m_heights.resize(count);
    m_measured.resize(count);
    m_unmeasured = 0;
    m_firstUnmeasured = int(count);
    m_editingRow = -1;
    const QList<qsizetype> &positions = m_store.filteredPositions();
    for (int row = 0; row < count; ++row)
        loadRow(row, positions[row]);
    m_listHeights.checked = true;
    if (m_hoveredCueID) {
        const auto rows = std::views::iota(0, int(count));
        if (std::none_of(rows.begin(), rows.end(),
                [this](int row) { return rowCue(row).id == *m_hoveredCueID; }))
            m_hoveredCueID.reset();
    }
    rebuildTops();
    updateScrollBars();
}

void ExcelTableView::loadRow(int row, qsizetype position)
{
    if (m_editingCueID && rowCue(row).id == *m_editingCueID) {
        m_editingRow = row;
        m_heights[row] = measureRow(rowCue(row));
        m_measured[row] = true;
        return;
    }
    // Only the heights are read while no cue changed: a keystroke on a long list reads no cue.
    const QList<MeasuredRow> &cache = m_listHeights.rows;
    const MeasuredRow *cached = position < cache.size() ? &cache[position] : nullptr;
    m_measured[row] = cached && cached->height > 0
        && (m_listHeights.checked
            || (cached->cue.id == rowCue(row).id && sameCellTexts(cached->cue, rowCue(row))));
    if (m_measured[row]) {
        m_heights[row] = cached->height;
    } else {
        m_heights[row] = estimateRow(rowCue(row));
        ++m_unmeasured;
        m_firstUnmeasured = std::min(m_firstUnmeasured, row);
    }
}

void ExcelTableView::appendRow()
{
    const int row = rowCount();
    if (m_store.filteredCueCount() != row + 1) {
        reloadRows(); // missed a change of the rows
        return;
    }
    m_heights.append(0);
    m_measured.append(false);
    loadRow(row, m_store.filteredPositions()[row]);
    m_tops.append(m_tops.last() + m_heights[row]);
    updateScrollBars();
    measureVisibleRows();
    if (m_tops[row] < verticalScrollBar()->value() + viewport()->height())
        viewport()->update();
}

int ExcelTableView::topShowingSelection() const
{
    const std::optional<QUuid> selected = m_store.selectedCueID();
    if (!selected)
        return 0;
    const auto rows = std::views::iota(0, rowCount());
    const auto found = std::find_if(
        rows.begin(), rows.end(), [&](int row) { return rowCue(row).id == *selected; });
    if (found == rows.end() || m_tops[*found + 1] <= viewport()->height())
        return 0;
    // Beyond the first page: in the middle of the view.
    return m_tops[*found] - std::max(0, (viewport()->height() - m_heights[*found]) / 2);
}

void ExcelTableView::rebuildTops(int row)
{
    m_tops.resize(m_heights.size() + 1);
    int top = m_tops[row];
    for (qsizetype i = row; i < m_heights.size(); ++i) {
        m_tops[i] = top;
        top += m_heights[i];
    }
    m_tops.last() = top;
}

void ExcelTableView::updateScrollBars()
{
    const QSize area = viewport()->size();
    verticalScrollBar()->setPageStep(area.height());
    verticalScrollBar()->setRange(0, std::max(0, m_tops.last() - area.height()));
    horizontalScrollBar()->setPageStep(area.width());
    horizontalScrollBar()->setRange(0, std::max(0, int(std::ceil(gridWidth())) - area.width()));
}

void ExcelTableView::measureVisibleRows()
{
    // Until the table is laid out no row is in view; the idle pass starts at once.
    for (bool changed = viewport()->height() > 0; changed && rowCount() > 0;) {
        // Measuring a row moves the rows below it, so look again until the view holds no estimate.
        changed = false;
        const int first = std::max(0, rowAt(0));
        int last = rowAt(viewport()->height() - 1);
        if (last < 0)
            last = rowCount() - 1;
        int firstChanged = -1;
        for (int row = first; row <= last; ++row) {
            if (m_measured[row])
                continue;
            setRowHeight(row, measureRow(rowCue(row)));
            if (firstChanged < 0)
                firstChanged = row;
        }
        if (firstChanged >= 0) {
            changed = true;
            rebuildTops(firstChanged);
            updateScrollBars();
        }
    }
    if (m_unmeasured > 0 && !m_idleMeasureQueued) {
        m_idleMeasureQueued = true;
        QTimer::singleShot(0, this, &ExcelTableView::measureSomeAtIdle);
    }
}

void ExcelTableView::measureSomeAtIdle()
{
    m_idleMeasureQueued = false;
    if (m_unmeasured == 0)
        return;
    // Rows above the view may change height: keep the first row in view where it is.
    const int anchor = std::max(0, rowAt(0));
    const int anchorOffset = verticalScrollBar()->value() - (rowCount() == 0 ? 0 : m_tops[anchor]);
    QElapsedTimer slice;
    slice.start();
    int row = m_firstUnmeasured;
    int firstChanged = -1;
    while (row < rowCount() && m_unmeasured > 0) {
        if (!m_measured[row]) {
            setRowHeight(row, measureRow(rowCue(row)));
            if (firstChanged < 0)
                firstChanged = row;
        }
        ++row;
        if (slice.elapsed() >= idleSliceMs)
            break;
    }
    m_firstUnmeasured = row;
    if (firstChanged < 0)
        return;
    rebuildTops(firstChanged);
    updateScrollBars();
    if (rowCount() > 0)
        verticalScrollBar()->setValue(m_tops[anchor] + anchorOffset);
    measureVisibleRows();
    placeEditor();
    viewport()->update();
}

void ExcelTableView::setRowHeight(int row, int height)
{
    m_heights[row] = height;
    if (!m_measured[row]) {
        m_measured[row] = true;
        --m_unmeasured;
    }
    if (row == m_editingRow)
        return;
    const qsizetype position = m_store.filteredPositions()[row];
    QList<MeasuredRow> &cache = m_listHeights.rows;
    if (position >= cache.size())
        cache.resize(position + 1);
    cache[position] = { rowCue(row), height };
}

int ExcelTableView::measureRow(const QLabCue &cue) const
{
    qreal tallest = 0;
    for (int c = 0; c < columnCount; ++c) {
        if (c == description && cue.id == m_editingCueID)
            continue;
        tallest = std::max(tallest, cell(Column(c), cue).height + 2 * cellPaddingY);
    }
    if (cue.id == m_editingCueID) {
        // The editor trades the cell's padding for its own, and always has room for a line.
        const qreal width = colWidths[description] + 2 * (cellPaddingX - editorPadding);
        const auto layout = CellContent::layoutText(
            m_editingText.isEmpty() ? u" "_s : m_editingText, editorFont(), width);
        tallest = std::max(tallest, CellContent::textHeight(*layout) + 2 * editorPadding);
    }
    return int(std::ceil(tallest));
}

int ExcelTableView::estimateRow(const QLabCue &cue) const
{
    // Line counts without wrapping: close enough for the scroll bar until the row is measured.
    const qsizetype actionLines = std::min<qsizetype>(QStringView(cue.action).count(u'\n') + 1, 21)
        + (cue.preWait > 0.001) + (cue.postWait > 0.001);
    const qsizetype noteLines = QStringView(cue.notes).count(u'\n') + 1;
    const qsizetype lines = std::max(actionLines, noteLines);
    return int(lines * 15 + 2 * cellPaddingY);
}

int ExcelTableView::rowAt(int viewportY) const
{
    const int y = viewportY + verticalScrollBar()->value();
    if (y < 0 || y >= m_tops.last())
        return -1;
    return int(std::upper_bound(m_tops.cbegin(), m_tops.cend(), y) - m_tops.cbegin()) - 1;
}

int ExcelTableView::rowTop(int row) const
{
    return m_tops[row];
}

QRect ExcelTableView::cellRect(int row, Column column) const
{
    const qreal left = gridLeft() - horizontalScrollBar()->value() + columnLeft(column);
    return QRectF(left, m_tops[row] - verticalScrollBar()->value(),
        colWidths[column] + 2 * cellPaddingX, m_heights[row])
        .toRect();
}

QColor ExcelTableView::rowBackground(int row) const
{
    const QLabCue &cue = rowCue(row);
    const QColor canvas = Palette::canvas();
    if (cue.id == m_store.selectedCueID())
        return over(withOpacity(Palette::accent(), 0.08f), canvas);
    if (cue.isGroup())
        return over(withOpacity(Palette::accent(), 0.05f), canvas);
    if (row % 2 == 1)
        return over(contrastLayer(0.02f), canvas);
    return canvas;
}

void ExcelTableView::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    const QColor canvas = Palette::canvas();
    painter.fillRect(event->rect(), canvas);
    if (m_store.filteredCueCount() != rowCount())
        reloadRows(); // the store changed its rows without saying so
    if (rowCount() == 0)
        return;
    // Two cells' half-point borders meet in one line.
    const QColor border = over(withOpacity(Palette::line(), 0.4f), canvas);
    const QColor accentBar = withOpacity(Palette::accent(), 0.5f);
    const int first = std::max(0, rowAt(event->rect().top()));
    int last = rowAt(event->rect().bottom());
    if (last < 0)
        last = rowCount() - 1;
    const qreal left = gridLeft() - horizontalScrollBar()->value();
    for (int row = first; row <= last; ++row) {
        const QLabCue &cue = rowCue(row);
        const QRectF rowRect(
            left, m_tops[row] - verticalScrollBar()->value(), gridWidth(), m_heights[row]);
        QColor background = rowBackground(row);
        if (cue.id == m_hoveredCueID && cue.id != m_store.selectedCueID())
            background = over(contrastLayer(0.04f), background);
        painter.fillRect(rowRect, background);
        painter.setRenderHint(QPainter::Antialiasing);
        qreal x = left;
        for (int c = 0; c < columnCount; ++c) {
            if (!(c == description && row == m_editingRow))
                cell(Column(c), cue)
                    .draw(painter, QPointF(x + cellPaddingX, rowRect.top() + cellPaddingY));
            x += colWidths[c] + 2 * cellPaddingX;
        }
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(border);
        const int top = int(rowRect.top());
        const int bottom = int(rowRect.bottom()) - 1;
        painter.drawLine(int(left), bottom, int(left + gridWidth()) - 1, bottom);
        x = left;
        for (int c = 0; c <= columnCount; ++c) {
            const int lineX = std::min(int(x), int(left + gridWidth()) - 1);
            painter.drawLine(lineX, top, lineX, bottom);
            if (c < columnCount)
                x += colWidths[c] + 2 * cellPaddingX;
        }
        // Over the cells and their borders.
        if (cue.isGroup())
            painter.fillRect(QRectF(rowRect.topLeft(), QSizeF(2, rowRect.height())),
                over(accentBar, background));
    }
}

void ExcelTableView::showEvent(QShowEvent *event)
{
    QAbstractScrollArea::showEvent(event);
    // Hidden, the table may have had no height to measure its rows in view by.
    measureVisibleRows();
    placeEditor();
}

void ExcelTableView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    const QRect area = viewport()->geometry();
    m_header->setGeometry(area.left(), area.top() - headerHeight(), area.width(), headerHeight());
    updateScrollBars();
    measureVisibleRows();
    placeEditor();
}

void ExcelTableView::scrollContentsBy(int, int)
{
    measureVisibleRows();
    placeEditor();
    m_header->update();
    viewport()->update();
}

void ExcelTableView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int row = rowAt(event->position().toPoint().y());
    if (row >= 0)
        selectRow(row);
}

void ExcelTableView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    const int row = rowAt(at.y());
    if (row < 0)
        return;
    const QUuid id = rowCue(row).id;
    if (cellRect(row, description).contains(at) && id != m_editingCueID)
        startEditing(id);
    else
        selectRow(row);
}

void ExcelTableView::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    const qreal left = gridLeft() - horizontalScrollBar()->value();
    const int row = rowAt(at.toPoint().y());
    if (row < 0 || at.x() < left || at.x() >= left + gridWidth())
        setHovered(std::nullopt);
    else
        setHovered(rowCue(row).id);
}

void ExcelTableView::leaveEvent(QEvent *event)
{
    QAbstractScrollArea::leaveEvent(event);
    setHovered(std::nullopt);
}

bool ExcelTableView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == viewport() && event->type() == QEvent::Leave)
        setHovered(std::nullopt);
    // A click into the open editor selects its row, as a click anywhere on the row does.
    if (watched == m_editor->viewport() && event->type() == QEvent::MouseButtonPress
        && m_editingCueID)
        m_store.setSelectedCueID(m_editingCueID);
    return QAbstractScrollArea::eventFilter(watched, event);
}

void ExcelTableView::setHovered(const std::optional<QUuid> &id)
{
    if (id == m_hoveredCueID)
        return;
    m_hoveredCueID = id;
    viewport()->update();
}

void ExcelTableView::selectRow(int row)
{
    const QUuid id = rowCue(row).id;
    if (m_editingCueID && *m_editingCueID != id)
        commitOpenEdit();
    m_store.setSelectedCueID(id);
}

void ExcelTableView::startEditing(const QUuid &cueID)
{
    commitOpenEdit();
    const auto rows = std::views::iota(0, rowCount());
    const auto found
        = std::find_if(rows.begin(), rows.end(), [&](int row) { return rowCue(row).id == cueID; });
    if (found == rows.end())
        return;
    const QLabCue &cue = rowCue(*found);
    m_editingCueID = cueID;
    m_editingText = nameMarkup(cue.notes).value_or(cue.notes);
    m_editingRow = *found;
    {
        const QSignalBlocker quiet(m_editor);
        m_editor->setPlainText(m_editingText);
        m_editor->moveCursor(QTextCursor::End); // typing goes on from the text's end
    }
    setRowHeight(m_editingRow, measureRow(cue));
    rebuildTops(m_editingRow);
    updateScrollBars();
    placeEditor();
    m_editor->setFocus();
    viewport()->update();
    emit editingCueIDChanged();
}

void ExcelTableView::commitOpenEdit()
{
    if (!m_editingCueID)
        return;
    const QUuid id = *std::exchange(m_editingCueID, std::nullopt);
    const QString text = std::exchange(m_editingText, QString()).trimmed();
    m_editingRow = -1;
    m_editor->hide();
    emit editingCueIDChanged();
    const QLabCue *cue = findCue(m_store.project(), id);
    const int reloadsBefore = m_reloads;
    m_store.updateNotes(id, notesAfterEdit(cue ? cue->notes : QString(), text));
    // The row leaves the editor's height behind when the store did not change.
    if (m_reloads == reloadsBefore)
        reloadRows();
}

void ExcelTableView::placeEditor()
{
    if (m_editingRow < 0) {
        m_editor->hide();
        return;
    }
    m_editor->setGeometry(cellRect(m_editingRow, description));
    m_editor->show();
}

void ExcelTableView::styleEditor()
{
    const QColor border = withOpacity(Palette::accent(), 0.6f);
    m_editor->setStyleSheet(u"QPlainTextEdit { background: %1; color: %2; border: 1px solid %3; "
                            "padding: %4px; }"_s
                                .arg(Palette::canvas().name(), Palette::primaryText().name(),
                                    border.name(QColor::HexArgb))
                                .arg(editorPadding - 1));
}

void ExcelTableView::editorTextChanged()
{
    m_editingText = m_editor->toPlainText();
    if (m_editingRow < 0)
        return;
    const int height = measureRow(rowCue(m_editingRow));
    if (height == m_heights[m_editingRow])
        return;
    m_heights[m_editingRow] = height;
    rebuildTops(m_editingRow);
    updateScrollBars();
    placeEditor();
    viewport()->update();
}
