#pragma once

#include <QtGlobal>

#include <deque>
#include <optional>
#include <utility>

namespace quillmere {

// How fast a running operation advances, from the amounts done at the moments the
// progress was read. Only the last few seconds count, so a slow start or a stall is
// forgotten once the pace changes. Times are milliseconds of a steady clock, given by
// the caller.
class ProgressRate final {
public:
    // How much history the rate is taken over.
    static constexpr qint64 windowMs = 5000;
    // Less than this is too little to tell a rate from noise.
    static constexpr qint64 shortestSpanMs = 1000;

    void add(qint64 atMs, qint64 done);
    void reset() { m_samples.clear(); }

    // Units a second; none until enough time has passed or when nothing moved.
    std::optional<double> perSecond() const;
    // Whole seconds until remaining units are done at the present rate.
    std::optional<qint64> secondsFor(qint64 remaining) const;

private:
    std::deque<std::pair<qint64, qint64>> m_samples; // (time, done), oldest first
};

} // namespace quillmere
