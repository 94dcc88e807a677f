#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>

#include <functional>

class MainWindowView;
class QAction;
class QLab_Importer;
class QMenu;
class ShortcutPrecedence;

// The menu commands of the main window: File (save, open, import, export to PDF, the two QLab
// diagnostics, quit), Edit (undo, redo on the store's undo stack) and Help (support, licence,
// privacy). Labels follow the interface language; enabled states follow the store. Each action is
// named after its command ("saveAction", "importAction", ...).
class ApplicationMenus : public QObject
{
    Q_OBJECT

public:
    ApplicationMenus(MainWindowView &window, QLab_Importer &importer);

    QAction *action(const QString &objectName) const;

private:
    QAction *addAction(QMenu *menu, const QString &objectName, const QList<QKeySequence> &shortcuts,
        std::function<void()> command);
    void retranslate();
    void updateEnabled();

    void exportPDF();

    MainWindowView &m_window;
    QLab_Importer &m_importer;
    ShortcutPrecedence *m_precedence;
    QMenu *m_fileMenu;
    QMenu *m_editMenu;
    QMenu *m_helpMenu;
};
