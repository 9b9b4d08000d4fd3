#pragma once

#include <QTest>
#include <QTimer>

#include <chrono>

namespace quillmere::test {

// Runs the event loop until a precise timer started now with this delay has fired.
// Precise timers fire in the order they fall due, so every precise timer started
// before this call with the same or a shorter delay has fired by then: the positive
// event a test waits for to show that something scheduled earlier did not happen.
[[nodiscard]] inline bool waitPastTimersDueWithin(std::chrono::milliseconds delay) {
    bool fired = false;
    QTimer::singleShot(delay, Qt::PreciseTimer, [&fired] { fired = true; });
    return QTest::qWaitFor([&fired] { return fired; }, 10000);
}

} // namespace quillmere::test
