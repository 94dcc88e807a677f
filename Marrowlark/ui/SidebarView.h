#pragma once

#include <QWidget>

class LanguagePickerView;
class ProjectStore;
class QLabel;
class QListWidget;

// The left column: the maker's header, the project's cue lists with their cue counts (choosing
// one selects it in the store) and the settings row.
class SidebarView : public QWidget
{
    Q_OBJECT

public:
    // Item data of each cue-list row.
    enum Role { listIDRole = Qt::UserRole, cueCountRole };

    explicit SidebarView(ProjectStore &store, QWidget *parent = nullptr);

private:
    void rebuildRows();
    void followSelection();
    void selectionEdited();
    void recolour();

    ProjectStore &m_store;
    QWidget *m_header;
    QLabel *m_logo;
    QLabel *m_separator;
    QLabel *m_maker;
    QLabel *m_product;
    QLabel *m_sectionHeader;
    QListWidget *m_lists;
    LanguagePickerView *m_picker;
};
