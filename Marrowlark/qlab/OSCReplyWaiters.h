#pragma once

#include <QDeadlineTimer>
#include <QList>
#include <QTimer>

#include <chrono>
#include <coroutine>

class QObject;

// Coroutines suspended until replies arrive. Each waiter is woken exactly once, by whoever takes
// it out first: wakeAll() (an arrival or a disconnect) takes every waiter, its deadline only
// itself. Resumption is queued on the context object, so a waiter never runs inside the code
// that woke it, and never after the context is gone.
//
// One timer serves every deadline. It is armed for the earliest and left running when its
// waiter is woken early, so the usual wait (answered long before its deadline) arms nothing.
// Woken waiters are resumed by a zero timer, one per turn of the event loop: unlike a posted
// event it costs the loop no wake-up of its own.
class OSCReplyWaiters
{
public:
    explicit OSCReplyWaiters(QObject *context);
    OSCReplyWaiters(const OSCReplyWaiters &) = delete;
    OSCReplyWaiters &operator=(const OSCReplyWaiters &) = delete;

    class Awaiter
    {
    public:
        bool await_ready() const noexcept { return false; }
        void await_suspend(std::coroutine_handle<> handle);
        void await_resume() const noexcept { }

    private:
        friend class OSCReplyWaiters;
        Awaiter(OSCReplyWaiters *waiters, std::chrono::milliseconds timeout)
            : m_waiters(waiters)
            , m_timeout(timeout)
        { }
        OSCReplyWaiters *m_waiters;
        std::chrono::milliseconds m_timeout;
    };

    // co_await wait(t) returns at the next wakeAll() or after t, whichever comes first.
    Awaiter wait(std::chrono::milliseconds timeout) { return Awaiter(this, timeout); }
    void wakeAll();
    qsizetype count() const { return m_waiters.size(); }

private:
    struct Entry
    {
        std::coroutine_handle<> handle;
        QDeadlineTimer deadline;
    };

    void add(std::coroutine_handle<> handle, std::chrono::milliseconds timeout);
    void wakeExpired();
    void armTimer(QDeadlineTimer deadline);
    void resumeLater(std::coroutine_handle<> handle);
    void resumeNext();

    QObject *m_context;
    QList<Entry> m_waiters; // in the order they began to wait
    QTimer m_timer;
    QDeadlineTimer m_timerDeadline; // when m_timer fires, while it is active
    QList<std::coroutine_handle<>> m_woken; // in the order they are resumed
    QTimer m_resumeTimer;
};
