#pragma once

#include <QDateTime>
#include <QtNumeric>

#include <chrono>
#include <compare>
#include <cstdint>
#include <optional>

namespace quillmere {

// A point in time as file systems keep it: whole seconds since the Unix epoch and the
// nanoseconds into that second. Kept apart because one 64-bit count of nanoseconds
// reaches only from 1677 to 2262, while file systems store dates well beyond both.
class FileTime final {
public:
    constexpr FileTime() = default;
    // A fraction outside one second, or a negative one, is carried into the seconds.
    constexpr explicit FileTime(std::chrono::seconds sinceEpoch, std::chrono::nanoseconds fraction = {}) {
        const int64_t carry = fraction.count() / nanosecondsPerSecond;
        const int64_t rest = fraction.count() % nanosecondsPerSecond;
        m_seconds = sinceEpoch.count() + carry - (rest < 0 ? 1 : 0);
        m_nanoseconds = int32_t(rest < 0 ? rest + nanosecondsPerSecond : rest);
    }

    // The earliest time there is; an absent date sorts as this.
    static constexpr FileTime min() { return FileTime(std::chrono::seconds::min()); }

    // Before the epoch the seconds count down and the nanoseconds still count up:
    // 0.25 s before it is -1 s and 750'000'000 ns.
    constexpr std::chrono::seconds seconds() const { return std::chrono::seconds(m_seconds); }
    constexpr std::chrono::nanoseconds nanoseconds() const { return std::chrono::nanoseconds(m_nanoseconds); }

    // In UTC, to the millisecond, rounded down; nothing beyond the some 292 million
    // years either side of 1970 that QDateTime holds.
    std::optional<QDateTime> toDateTime() const {
        qint64 milliseconds = 0;
        if (qMulOverflow(qint64(m_seconds), qint64(1000), &milliseconds) ||
            qAddOverflow(milliseconds, qint64(m_nanoseconds / 1'000'000), &milliseconds))
            return std::nullopt;
        return QDateTime::fromMSecsSinceEpoch(milliseconds, Qt::UTC);
    }

    friend constexpr auto operator<=>(const FileTime&, const FileTime&) = default;

private:
    static constexpr int64_t nanosecondsPerSecond = 1'000'000'000;

    int64_t m_seconds = 0;
    int32_t m_nanoseconds = 0; // 0 up to a second
};

} // namespace quillmere
