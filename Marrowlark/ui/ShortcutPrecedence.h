#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QAction;

// Lets the application's own shortcuts win over the keys a focused text field claims for itself
// (Ctrl+E is "end of line" in a line edit, Ctrl+Z its own undo): while one of the given actions
// is enabled, its shortcut reaches the action instead of the field. Installed on the application.
class ShortcutPrecedence : public QObject
{
public:
    explicit ShortcutPrecedence(QObject *parent = nullptr);

    void addAction(QAction *action) { m_actions.append(action); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QPointer<QAction>> m_actions;
};
