#pragma once

#include <QCoroTask>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>

namespace quillmere {

// Turns a burst of requests into one: schedule() replaces the pending action and
// restarts the delay (fixed at construction), so only the last action runs, once the
// delay has passed since the last request. cancel() drops the pending action;
// destroying the debouncer cancels it too. An action that has started runs to its
// end on its own.
class Debouncer final : public QObject {
    Q_OBJECT

public:
    using Action = std::function<QCoro::Task<>()>;

    explicit Debouncer(std::chrono::milliseconds delay, QObject* parent = nullptr);

    void schedule(Action action);
    void cancel();
    bool isPending() const { return m_timer.isActive(); }
    std::chrono::milliseconds delay() const { return m_delay; }

private:
    void fire();

    const std::chrono::milliseconds m_delay;
    QTimer m_timer;
    Action m_action;
};

} // namespace quillmere
