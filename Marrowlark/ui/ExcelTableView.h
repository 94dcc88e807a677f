#pragma once

#include "export/CueTextStyling.h"
#include "export/StyledText.h"
#include "model/QLabCue.h"
#include "ui/CellContent.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <QList>
#include <QStringList>
#include <QUuid>

#include <array>
#include <optional>

class ProjectStore;
class QPlainTextEdit;

// The cue grid: one row per cue of the store's filtered list, six fixed columns, a header pinned
// at the top, a single click to select and a double click on a description to edit it in place.
// Only the rows in view are laid out and painted. Each row's height comes from all six cells and
// is kept per cue until the cue's texts change; rows not yet measured carry an estimate that a
// pass at idle time replaces. New rows are shown from the top; a cue added at the end of the
// rows joins them alone. Main thread only.
class ExcelTableView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    enum Column { type, number, name, action, description, trigger };
    static constexpr int columnCount = 6;
    // Content widths; each cell adds its padding on both sides.
    static constexpr std::array<qreal, columnCount> colWidths { 180, 60, 180, 300, 220, 140 };
    static constexpr qreal cellPaddingX = 8;
    static constexpr qreal cellPaddingY = 6;
    static constexpr qreal editorPadding = 4;

    using DescStyle = CueTextStyling::DescStyle;

    // One member's entry in a group's action text.
    struct ActionBlock
    {
        QString headerLine;
        QStringList paramLines;
        friend bool operator==(const ActionBlock &, const ActionBlock &) = default;
    };

    struct ActionHeader
    {
        QString label;
        QColor color;
        QString rest;
    };

    explicit ExcelTableView(ProjectStore &store, QWidget *parent = nullptr);
    ~ExcelTableView() override;

    // Cells, laid out at the content width of their column.
    static CellContent cueTypeBadge(const QLabCue &cue, qreal width);
    static CellContent numberCell(const QLabCue &cue, qreal width);
    static CellContent nameCell(const QLabCue &cue, qreal width);
    static CellContent actionCell(const QLabCue &cue, qreal width);
    static CellContent descriptionCell(const QLabCue &cue, qreal width);
    static CellContent triggerCell(const QLabCue &cue, qreal width);
    static CellContent cell(Column column, const QLabCue &cue);

    static CellContent typeChip(const QString &label, const QColor &color);
    static ActionHeader classifyActionHeader(QStringView line);
    static QList<ActionBlock> parseActionBlocks(const QStringList &visibleLines);
    static QStringList waitLines(const QLabCue &cue);
    static QString formatTime(double seconds);
    static QString descriptionDisplayText(const QLabCue &cue);
    static StyledText styledDescription(const QString &text);
    static QString columnTitle(Column column);

    // The notes a cue keeps after its description was edited to text (already trimmed): inside
    // the first name markup when the notes carry one, else the text alone.
    static QString notesAfterEdit(const QString &notes, const QString &text);

    // Commits the open description edit, if any, as a click on another row would. Anything that
    // reads or replaces the notes (save, export, generate, clear, write-back, undo, redo, loading
    // a project) calls this first.
    void commitOpenEdit();
    // Commits any open edit, then opens the description of the cue for editing.
    void startEditing(const QUuid &cueID);

    std::optional<QUuid> editingCueID() const { return m_editingCueID; }
    QString editingText() const { return m_editingText; }
    std::optional<QUuid> hoveredCueID() const { return m_hoveredCueID; }
    QPlainTextEdit *editor() const { return m_editor; }

    // Rows in viewport coordinates; -1 when no row is there.
    int rowCount() const { return int(m_heights.size()); }
    const QLabCue &rowCue(int row) const;
    int rowAt(int viewportY) const;
    int rowTop(int row) const;
    int rowHeight(int row) const { return m_heights[row]; }
    bool isRowMeasured(int row) const { return m_measured[row]; }
    bool allRowsMeasured() const { return m_unmeasured == 0; }
    QRect cellRect(int row, Column column) const;
    // The background a row shows, before the hover layer.
    QColor rowBackground(int row) const;
    static qreal gridWidth();
    int headerHeight() const;

signals:
    void editingCueIDChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class Header;
    struct MeasuredRow
    {
        QLabCue cue;
        int height = 0;
    };
    // Measured rows of one list by position in it.
    struct ListHeights
    {
        QList<MeasuredRow> rows;
        // No cue changed since the rows were last checked against their cues.
        bool checked = true;
    };

    // Rows replaced: shown from the top, keeping the selected row in view; an open edit stays
    // while its cue is among them.
    void showNewRows();
    // The same rows, some of them changed.
    void reloadRows();
    void loadRows();
    // Height and measured mark of one row, at position in its list, from the cache or an estimate.
    void loadRow(int row, qsizetype position);
    void appendRow();
    void showRowsInView();
    // The scroll position that shows new rows from the top with the selected row in view.
    int topShowingSelection() const;
    // From row on, after heights changed there.
    void rebuildTops(int row = 0);
    void updateScrollBars();
    // Measures every row in view (which may shift the rows below) until none is an estimate.
    void measureVisibleRows();
    void measureSomeAtIdle();
    int measureRow(const QLabCue &cue) const;
    int estimateRow(const QLabCue &cue) const;
    void setRowHeight(int row, int height);
    qreal gridLeft() const;
    void setHovered(const std::optional<QUuid> &id);
    void selectRow(int row);
    void placeEditor();
    void styleEditor();
    void editorTextChanged();

    ProjectStore &m_store;
    Header *m_header;
    QPlainTextEdit *m_editor;

    // Counts row reloads, so a caller can tell whether a store change already reloaded them.
    int m_reloads = 0;
    // The rows are the store's filtered cues, read in place by position: copying them costs a
    // keystroke's time on a long list.
    QList<int> m_heights;
    QList<bool> m_measured;
    qsizetype m_unmeasured = 0;
    // No row above it waits for the idle pass.
    int m_firstUnmeasured = 0;
    // m_tops[i] is the top of row i; the last entry is the total height.
    QList<int> m_tops { 0 };
    // Measured rows of the shown list, and those of other lists by list id.
    ListHeights m_listHeights;
    std::optional<QUuid> m_listHeightsID;
    QHash<QUuid, ListHeights> m_otherListHeights;
    bool m_idleMeasureQueued = false;

    std::optional<QUuid> m_editingCueID;
    QString m_editingText;
    int m_editingRow = -1;
    std::optional<QUuid> m_hoveredCueID;
};
