#pragma once

#include <QWidget>

class StyledButton;
class ProjectStore;
class QLabel;
class QLineEdit;

// The bar above the cue table that narrows it: a search field, the triggers-only switch and a
// reset. It only writes the store's filter values; the store does the filtering.
class FilterBarView : public QWidget
{
    Q_OBJECT

public:
    explicit FilterBarView(ProjectStore &store, QWidget *parent = nullptr);

    // Empties the search text, the hidden cue types and the triggers-only switch, in that order.
    static void resetFilters(ProjectStore &store);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void followStore();
    void relabel();
    void recolour();

    ProjectStore &m_store;
    QWidget *m_searchBox;
    QLabel *m_searchSymbol;
    QLineEdit *m_searchField;
    StyledButton *m_clearButton;
    StyledButton *m_triggersSwitch;
    StyledButton *m_resetButton;
};
