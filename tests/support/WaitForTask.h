#pragma once

#include <QCoroTask>

#include <exception>
#include <optional>
#include <type_traits>

// Blocks in a nested event loop until the task ends and returns its result, rethrowing what it
// threw. (QCoro::waitFor never returns when the awaited task throws.)
template <typename T> T waitForTask(QCoro::Task<T> task)
{
    using Result = std::conditional_t<std::is_void_v<T>, bool, T>;
    std::optional<Result> value;
    std::exception_ptr failure;
    QCoro::waitFor([](QCoro::Task<T> awaited, std::optional<Result> &result,
                       std::exception_ptr &thrown) -> QCoro::Task<> {
        try {
            if constexpr (std::is_void_v<T>) {
                co_await std::move(awaited);
                result = true;
            } else {
                result = co_await std::move(awaited);
            }
        } catch (...) {
            thrown = std::current_exception();
        }
    }(std::move(task), value, failure));
    if (failure)
        std::rethrow_exception(failure);
    if constexpr (!std::is_void_v<T>)
        return std::move(*value);
}
