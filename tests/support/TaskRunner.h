#pragma once

#include <QCoroTask>
#include <QEventLoop>

#include <exception>
#include <optional>
#include <type_traits>

namespace quillmere::test {

// Runs a task to completion in a local event loop and returns its value, rethrowing
// what it threw. (QCoro's own waitFor never returns when the task throws.)
template <typename T> T await(QCoro::Task<T>&& task) {
    QEventLoop loop;
    std::exception_ptr error;
    std::optional<std::conditional_t<std::is_void_v<T>, int, T>> value;
    bool finished = false;
    auto runner = [&](QCoro::Task<T> inner) -> QCoro::Task<> {
        try {
            if constexpr (std::is_void_v<T>) {
                co_await inner;
                value = 0;
            } else {
                value = co_await inner;
            }
        } catch (...) {
            error = std::current_exception();
        }
        finished = true;
        loop.quit();
    };
    auto running = runner(std::move(task));
    if (!finished)
        loop.exec();
    if (error)
        std::rethrow_exception(error);
    if constexpr (!std::is_void_v<T>)
        return std::move(*value);
}

// Awaits a service task from a test and returns the typed error it threw, if any.
template <typename Error, typename T> std::optional<Error> failureOf(QCoro::Task<T>&& task) {
    try {
        await(std::move(task));
    } catch (const Error& error) {
        return error;
    }
    return std::nullopt;
}

} // namespace quillmere::test
