#pragma once

#include <QCoroTask>
#include <QString>

#include <exception>
#include <functional>
#include <optional>

namespace quillmere {

// The step the batch rename and conflict sheets share: await the action their caller
// gave them, which answers with a failure message or nothing on success. An action that
// throws instead still answers, with its text or the fallback, so a sheet never stays
// busy. The action is taken by value and so lives in this frame while it runs, whatever
// happens to the sheet that holds the original.
template <typename Argument>
QCoro::Task<std::optional<QString>>
awaitCallerAction(std::function<QCoro::Task<std::optional<QString>>(Argument)> action, Argument argument,
                  QString fallback) {
    try {
        co_return co_await action(std::move(argument));
    } catch (const std::exception& error) {
        co_return QString::fromUtf8(error.what());
    } catch (...) {
        co_return fallback;
    }
}

} // namespace quillmere
