#include "qlab/OSCReplyWaiters.h"

#include <algorithm>
#include <utility>

OSCReplyWaiters::OSCReplyWaiters(QObject *context)
    : m_context(context)
{
    m_timer.setSingleShot(true);
    // A coarse timer may fire early, and every early firing would cost a wasted wake-up.
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, m_context, [this] { wakeExpired(); });
    m_resumeTimer.setSingleShot(true);
    m_resumeTimer.setInterval(0);
    QObject::connect(&m_resumeTimer, &QTimer::timeout, m_context, [this] { resumeNext(); });
}

void OSCReplyWaiters::Awaiter::await_suspend(std::coroutine_handle<> handle)
{
    m_waiters->add(handle, m_timeout);
}

void OSCReplyWaiters::add(std::coroutine_handle<> handle, std::chrono::milliseconds timeout)
{
    const QDeadlineTimer deadline(std::max(timeout, std::chrono::milliseconds(0)));
    m_waiters.append(Entry { handle, deadline });
    if (!m_timer.isActive() || deadline < m_timerDeadline)
        armTimer(deadline);
}

void OSCReplyWaiters::wakeAll()
{
    // The timer stays armed: a later waiter's deadline is rarely earlier, so it is seldom moved.
    const QList<Entry> waiters = std::exchange(m_waiters, {});
    for (const Entry &entry : waiters)
        resumeLater(entry.handle);
}

void OSCReplyWaiters::wakeExpired()
{
    QList<Entry> expired;
    const auto firstLeft = std::stable_partition(m_waiters.begin(), m_waiters.end(),
        [](const Entry &entry) { return !entry.deadline.hasExpired(); });
    expired.append(firstLeft, m_waiters.end());
    m_waiters.erase(firstLeft, m_waiters.end());
    if (!m_waiters.isEmpty()) {
        armTimer(std::min_element(
            m_waiters.cbegin(), m_waiters.cend(), [](const Entry &a, const Entry &b) {
                return a.deadline < b.deadline;
            })->deadline);
    }
    for (const Entry &entry : std::as_const(expired))
        resumeLater(entry.handle);
}

void OSCReplyWaiters::armTimer(QDeadlineTimer deadline)
{
    m_timerDeadline = deadline;
    m_timer.start(std::chrono::ceil<std::chrono::milliseconds>(deadline.remainingTimeAsDuration()));
}

void OSCReplyWaiters::resumeLater(std::coroutine_handle<> handle)
{
    m_woken.append(handle);
    if (!m_resumeTimer.isActive())
        m_resumeTimer.start();
}

void OSCReplyWaiters::resumeNext()
{
    if (m_woken.isEmpty())
        return;
    const std::coroutine_handle<> handle = m_woken.takeFirst();
    if (!m_woken.isEmpty())
        m_resumeTimer.start();
    // The resumed coroutine may destroy these waiters with their context: nothing after this.
    handle.resume();
}
