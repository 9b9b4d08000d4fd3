#pragma once

#include <QFuture>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <exception>
#include <optional>
#include <type_traits>

namespace quillmere {

// Runs blocking work on Qt's thread pool. Whatever the work throws is carried back
// and rethrown unchanged by result() (Qt would otherwise wrap foreign exceptions in
// QUnhandledException). A coroutine awaits the future, then calls result():
//
//     auto work = BackgroundWork::start([=] { return list(folder); });
//     co_return BackgroundWork::result(co_await work);
//
// start() is a plain function on purpose: GCC 12 destroys a closure passed by value
// into a coroutine twice, so no closure may be a coroutine parameter.
namespace BackgroundWork {

template <typename Result> struct Outcome {
    std::optional<Result> value;
    std::exception_ptr error;
};
struct Done {};

template <typename Function> auto start(QThreadPool* pool, Function function) {
    using Result = std::invoke_result_t<Function>;
    using Value = std::conditional_t<std::is_void_v<Result>, Done, Result>;
    return QtConcurrent::run(pool, [function = std::move(function)]() mutable -> Outcome<Value> {
        try {
            if constexpr (std::is_void_v<Result>) {
                function();
                return {Done{}, nullptr};
            } else {
                return {function(), nullptr};
            }
        } catch (...) {
            return {std::nullopt, std::current_exception()};
        }
    });
}

template <typename Function> auto start(Function function) {
    return start(QThreadPool::globalInstance(), std::move(function));
}

template <typename Value> Value result(Outcome<Value>&& outcome) {
    if (outcome.error)
        std::rethrow_exception(outcome.error);
    return std::move(*outcome.value);
}

} // namespace BackgroundWork

} // namespace quillmere
