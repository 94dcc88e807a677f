#pragma once

#include "qlab/WriteBackScope.h"
#include "ui/MainWindowView.h"

#include <QWidget>

class ElidedLabel;
class StyledButton;
class ProjectStore;
class QAction;
class QMenu;

// The bar above the cue table: import, generate, write to QLab, project files and export. It
// owns no dialog: every button and entry asks the main window, which raises the dialog or, for
// an import or an open with unsaved changes, asks to save first. Clearing is asked for through
// the shared NotificationCenter.
class ActionBarView : public QWidget
{
    Q_OBJECT

public:
    explicit ActionBarView(ProjectStore &store, QWidget *parent = nullptr);

signals:
    void importRequested();
    void generateRequested(MainWindowView::AutoDescriptionScope scope);
    void writeBackRequested(WriteBackScope scope);
    void openRequested();
    void saveRequested();
    void exportRequested();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QAction *addEntry(QMenu *menu, const QString &objectName, const QString &symbol);
    void relabel();
    void recolour();
    void followStore();

    ProjectStore &m_store;
    StyledButton *m_importButton;
    ElidedLabel *m_projectName;
    StyledButton *m_generateButton;
    StyledButton *m_writeButton;
    StyledButton *m_projectButton;
    StyledButton *m_exportButton;
    QAction *m_generateSelected;
    QAction *m_generateAll;
    QAction *m_clearDescriptions;
    QAction *m_writeSelected;
    QAction *m_writeAll;
    QAction *m_openProject;
    QAction *m_saveProject;
};
