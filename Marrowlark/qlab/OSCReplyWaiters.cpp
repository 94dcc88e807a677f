#include "qlab/OSCReplyWaiters.h"

#include <QMetaObject>
#include <QTimer>

#include <algorithm>

OSCReplyWaiters::OSCReplyWaiters(QObject *context)
    : m_context(context)
{ }

void OSCReplyWaiters::Awaiter::await_suspend(std::coroutine_handle<> handle)
{
    m_waiters->add(handle, m_timeout);
}

void OSCReplyWaiters::add(std::coroutine_handle<> handle, std::chrono::milliseconds timeout)
{
    const quint64 id = m_nextID++;
    auto *timer = new QTimer(m_context);
    timer->setSingleShot(true);
    timer->setInterval(std::max(timeout, std::chrono::milliseconds(0)));
    QObject::connect(timer, &QTimer::timeout, m_context, [this, id] { wake(id); });
    m_waiters.insert(id, Entry { handle, timer });
    timer->start();
}

void OSCReplyWaiters::wakeAll()
{
    const QMap<quint64, Entry> waiters = std::exchange(m_waiters, {});
    for (const Entry &entry : waiters)
        resume(entry);
}

void OSCReplyWaiters::wake(quint64 id)
{
    const auto it = m_waiters.constFind(id);
    if (it == m_waiters.constEnd())
        return;
    const Entry entry = *it;
    m_waiters.erase(it);
    resume(entry);
}

void OSCReplyWaiters::resume(Entry entry)
{
    entry.timer->stop();
    entry.timer->deleteLater();
    QMetaObject::invokeMethod(
        m_context, [handle = entry.handle] { handle.resume(); }, Qt::QueuedConnection);
}
