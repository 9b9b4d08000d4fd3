#pragma once

#include <QCoroFuture>
#include <QCoroTask>
#include <QtConcurrent/QtConcurrentRun>

#include <exception>
#include <optional>
#include <type_traits>

namespace quillmere {

// Runs blocking work on Qt's thread pool and resumes the awaiting coroutine on its
// own thread. Whatever the work throws reaches the awaiting caller unchanged (Qt
// would otherwise wrap foreign exceptions in QUnhandledException).
class BackgroundWork final {
public:
    template <typename Function> static auto run(Function function) -> QCoro::Task<std::invoke_result_t<Function>> {
        using Result = std::invoke_result_t<Function>;
        if constexpr (std::is_void_v<Result>) {
            std::exception_ptr error = co_await QtConcurrent::run([function = std::move(function)]() mutable {
                try {
                    function();
                    return std::exception_ptr();
                } catch (...) {
                    return std::current_exception();
                }
            });
            if (error)
                std::rethrow_exception(error);
        } else {
            struct Outcome {
                std::optional<Result> value;
                std::exception_ptr error;
            };
            Outcome outcome = co_await QtConcurrent::run([function = std::move(function)]() mutable {
                try {
                    return Outcome{function(), nullptr};
                } catch (...) {
                    return Outcome{std::nullopt, std::current_exception()};
                }
            });
            if (outcome.error)
                std::rethrow_exception(outcome.error);
            co_return std::move(*outcome.value);
        }
    }
};

} // namespace quillmere
