#pragma once

#include <QCoroTask>

#include <exception>
#include <optional>
#include <type_traits>

// Blocks in a nested event loop until the task ends and returns its result, rethrowing what it
// threw. (QCoro::waitFor never returns when the awaited task throws.)
template <typename T> T waitForTask(QCoro::Task<T> task)
{
    std::exception_ptr failure;
    if constexpr (std::is_void_v<T>) {
        QCoro::waitFor([](QCoro::Task<T> awaited, std::exception_ptr &thrown) -> QCoro::Task<> {
            try {
                co_await std::move(awaited);
            } catch (...) {
                thrown = std::current_exception();
            }
        }(std::move(task), failure));
        if (failure)
            std::rethrow_exception(failure);
    } else {
        std::optional<T> value;
        QCoro::waitFor([](QCoro::Task<T> awaited, std::optional<T> &result,
                           std::exception_ptr &thrown) -> QCoro::Task<> {
            try {
                result = co_await std::move(awaited);
            } catch (...) {
                thrown = std::current_exception();
            }
        }(std::move(task), value, failure));
        if (failure)
            std::rethrow_exception(failure);
        return std::move(*value);
    }
}
