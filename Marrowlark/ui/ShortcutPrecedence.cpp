#include "ui/ShortcutPrecedence.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>

ShortcutPrecedence::ShortcutPrecedence(QObject *parent)
    : QObject(parent)
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool ShortcutPrecedence::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);
    const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
    for (const QPointer<QAction> &action : std::as_const(m_actions)) {
        if (action && action->isEnabled() && action->shortcuts().contains(pressed)) {
            // Not claimed by the field: the shortcut map hands the key to the action.
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
