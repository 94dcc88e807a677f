#pragma once

#include <QCoreApplication>
#include <QMetaObject>

#include <coroutine>
#include <memory>
#include <optional>

// The answer to one question of an import run: awaited once by the run, resolved once by the
// user's answer or by a cancel. The resume is queued, so the answering code finishes (and clears
// its pending field) before the run goes on and perhaps asks its next question.
template <typename T> class PendingAnswer
{
    struct Slot
    {
        std::optional<T> value;
        std::coroutine_handle<> waiter;
    };

public:
    class Awaiter
    {
    public:
        explicit Awaiter(std::shared_ptr<Slot> slot)
            : m_slot(std::move(slot))
        { }
        bool await_ready() const noexcept { return m_slot->value.has_value(); }
        void await_suspend(std::coroutine_handle<> waiter) noexcept { m_slot->waiter = waiter; }
        T await_resume() { return std::move(*m_slot->value); }

    private:
        std::shared_ptr<Slot> m_slot;
    };

    Awaiter operator co_await() const { return Awaiter(m_slot); }

    // Later answers to the same question are ignored.
    void resolve(T value) const
    {
        if (m_slot->value)
            return;
        m_slot->value = std::move(value);
        if (const std::coroutine_handle<> waiter = std::exchange(m_slot->waiter, {}))
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [waiter] { waiter.resume(); }, Qt::QueuedConnection);
    }

private:
    std::shared_ptr<Slot> m_slot = std::make_shared<Slot>();
};
