#pragma once

#include <QMap>

#include <chrono>
#include <coroutine>

class QObject;
class QTimer;

// Coroutines suspended until replies arrive. Each waiter is woken exactly once, by whoever takes
// it out first: wakeAll() (an arrival or a disconnect) takes every waiter, a waiter's own timer
// only itself. Resumption is queued on the context object, so a waiter never runs inside the
// code that woke it, and never after the context is gone.
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
        QTimer *timer = nullptr;
    };

    void add(std::coroutine_handle<> handle, std::chrono::milliseconds timeout);
    void wake(quint64 id);
    void resume(Entry entry);

    QObject *m_context;
    QMap<quint64, Entry> m_waiters;
    quint64 m_nextID = 0;
};
