#pragma once

#include <QWidget>

class ExcelTableView;
class ProjectStore;
class QStackedWidget;
class QVBoxLayout;

// The main window's working area, top to bottom without spacing: the filter bar, the cue table
// (or the empty state while the store's filtered cues are empty) and the status bar. The bars
// and the empty state are handed in by whoever builds the window.
class CueTableView : public QWidget
{
    Q_OBJECT

public:
    explicit CueTableView(ProjectStore &store, QWidget *parent = nullptr);

    ExcelTableView &table() const { return *m_table; }

    // Each takes ownership and replaces any earlier widget in its place.
    void setFilterBar(QWidget *bar);
    void setEmptyState(QWidget *emptyState);
    void setStatusBar(QWidget *bar);

    bool showsEmptyState() const;

private:
    void replace(QWidget *&slot, QWidget *widget, int layoutIndex);
    void showTableOrEmptyState();

    ProjectStore &m_store;
    QVBoxLayout *m_layout;
    QStackedWidget *m_body;
    ExcelTableView *m_table;
    QWidget *m_filterBar = nullptr;
    QWidget *m_emptyState = nullptr;
    QWidget *m_statusBar = nullptr;
};
