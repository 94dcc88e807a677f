#include "store/PostedChanges.h"

#include <QPointer>

void PostedChanges::post(std::function<void()> change)
{
    QMetaObject::invokeMethod(
        this,
        [this, change = std::move(change)]() mutable {
            if (m_holds > 0 || !m_waiting.isEmpty())
                m_waiting.append(std::move(change));
            else
                change();
        },
        Qt::QueuedConnection);
}

PostedChanges::Hold PostedChanges::hold()
{
    ++m_holds;
    return Hold(nullptr, [self = QPointer(this)](void *) {
        // Not at once: the last copy may go inside a dialog's own teardown.
        if (self && --self->m_holds == 0 && !self->m_waiting.isEmpty())
            QMetaObject::invokeMethod(self, &PostedChanges::runWaiting, Qt::QueuedConnection);
    });
}

void PostedChanges::runWaiting()
{
    while (m_holds == 0 && !m_waiting.isEmpty())
        m_waiting.takeFirst()();
}
