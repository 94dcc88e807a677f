#pragma once

#include <QWidget>

class ElidedLabel;
class ProjectStore;
class QLabel;

// The line under the cue table: how many rows the table shows against how many the selected list
// has, the unsaved mark and the project's name.
class StatusBarView : public QWidget
{
    Q_OBJECT

public:
    explicit StatusBarView(ProjectStore &store, QWidget *parent = nullptr);

    // The count as it reads: "n cues", or "n / t cues" while search or filters hide rows.
    static QString countText(const ProjectStore &store);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void refresh();
    void recolour();

    ProjectStore &m_store;
    QLabel *m_countSymbol;
    QLabel *m_count;
    QWidget *m_unsavedDot;
    QLabel *m_unsaved;
    ElidedLabel *m_projectName;
};
