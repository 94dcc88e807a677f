#pragma once

#include <QWidget>

class StyledButton;
class ProjectStore;
class QLabel;

// What the table's place shows while the table has no row: why it is empty and the next step.
class EmptyStateView : public QWidget
{
    Q_OBJECT

public:
    enum class State { noData, noListSelected, nothingFound };

    explicit EmptyStateView(ProjectStore &store, QWidget *parent = nullptr);

    State state() const;

signals:
    // Both replace the open project, so the main window asks to save unsaved changes first.
    void importRequested();
    void loadTestDataRequested();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void refresh();
    void recolour();

    ProjectStore &m_store;
    QLabel *m_symbol;
    QLabel *m_title;
    QLabel *m_hint;
    QWidget *m_noDataButtons;
    StyledButton *m_importButton;
    StyledButton *m_testDataButton;
    StyledButton *m_resetButton;
};
