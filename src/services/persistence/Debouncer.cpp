#include "services/persistence/Debouncer.h"

namespace quillmere {

Debouncer::Debouncer(std::chrono::milliseconds delay, QObject* parent)
    : QObject(parent)
    , m_delay(delay) {
    m_timer.setSingleShot(true);
    // Precise timing: a coarse timer may fire up to 5% late, which adds up over bursts.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &Debouncer::fire);
}

void Debouncer::schedule(Action action) {
    m_action = std::move(action);
    m_timer.start(m_delay);
}

void Debouncer::cancel() {
    m_timer.stop();
    m_action = nullptr;
}

void Debouncer::fire() {
    Action action = std::exchange(m_action, nullptr);
    if (!action)
        return;
    // The task keeps itself alive until it finishes, even when this debouncer is gone.
    action();
}

} // namespace quillmere
