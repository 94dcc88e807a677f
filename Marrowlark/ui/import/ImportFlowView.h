#pragma once

#include "import/ImportState.h"

#include <QDialog>

class ImportPage;
class ImportStateMachine;
class ProjectStore;
class QLabel;
class QPushButton;
class QVBoxLayout;

// The import sheet: a window-modal dialog over the main window that shows one page for the
// store's import machine's state and passes the user's answers to the machine. It never sets
// the machine's state; every way of closing it cancels the import and clears the store's
// showImportSheet flag. Deletes itself once closed.
class ImportFlowView : public QDialog
{
    Q_OBJECT

public:
    ImportFlowView(ProjectStore &store, QWidget *parent = nullptr);

    ImportPage *currentPage() const { return m_page; }

    // Escape or the window's close button.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    // The kinds of page; several states share the waiting page.
    enum class PageKind {
        spinner,
        workspacePicker,
        confirm,
        oscAccess,
        cueListPicker,
        progress,
        complete,
        error
    };

    static PageKind pageKindFor(ImportState::Case state);
    // Whether the header's Cancel is offered; the other states' pages carry their own way out.
    static bool hasHeaderCancel(ImportState::Case state);
    // While the machine works on its own, Escape and the window's close button do nothing.
    static bool allowsInteractiveDismissal(ImportState::Case state);

    void showMachineState();
    ImportPage *makePage(PageKind kind);
    void retranslate();
    void cancelAndDismiss();
    void dismissSheet();
    void retry();
    void whenFinished();

    ProjectStore &m_store;
    ImportStateMachine &m_machine;
    QLabel *m_title;
    QPushButton *m_headerCancel;
    QWidget *m_divider;
    QVBoxLayout *m_pageArea;
    ImportPage *m_page = nullptr;
    PageKind m_pageKind = PageKind::spinner;
};
