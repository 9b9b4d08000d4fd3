#pragma once

#include "PathCodec.h"
#include "PlatformError.h"

#include <atomic>
#include <cerrno>
#include <cstdint>

namespace quillmere {

// What a long operation's worker and the user-interface thread share: the counts the
// worker advances as it goes and the cancel request the worker honours at the next
// chunk or item. Every member is atomic, so the watcher may read at any moment
// without stopping the worker; the figures of one snapshot may be from a few
// microseconds apart, which a progress display does not mind.
class OperationControl final {
public:
    enum class Phase { measuring, working, rollingBack, finished };

    struct Progress {
        Phase phase = Phase::measuring;
        std::int64_t itemsDone = 0;
        std::int64_t itemsTotal = 0;
        std::int64_t bytesDone = 0;
        std::int64_t bytesTotal = 0;
    };

    void setTotals(std::int64_t items, std::int64_t bytes) {
        m_itemsTotal.store(items, std::memory_order_relaxed);
        m_bytesTotal.store(bytes, std::memory_order_relaxed);
    }
    void addItems(std::int64_t count = 1) { m_itemsDone.fetch_add(count, std::memory_order_relaxed); }
    void addBytes(std::int64_t count) { m_bytesDone.fetch_add(count, std::memory_order_relaxed); }
    void setPhase(Phase phase) { m_phase.store(phase, std::memory_order_relaxed); }

    Progress progress() const {
        return {m_phase.load(std::memory_order_relaxed), m_itemsDone.load(std::memory_order_relaxed),
                m_itemsTotal.load(std::memory_order_relaxed), m_bytesDone.load(std::memory_order_relaxed),
                m_bytesTotal.load(std::memory_order_relaxed)};
    }

    void requestCancel() { m_cancelRequested.store(true, std::memory_order_relaxed); }
    bool isCancelRequested() const { return m_cancelRequested.load(std::memory_order_relaxed); }

    // The worker's check at a chunk or item boundary: a requested cancel ends the step
    // as a failure with ECANCELED, which takes the usual clean-up and rollback path.
    void throwIfCancelled(const QString& path) const {
        if (isCancelRequested())
            throw PlatformError(ECANCELED, path);
    }

private:
    std::atomic<Phase> m_phase{Phase::measuring};
    std::atomic<std::int64_t> m_itemsDone{0};
    std::atomic<std::int64_t> m_itemsTotal{0};
    std::atomic<std::int64_t> m_bytesDone{0};
    std::atomic<std::int64_t> m_bytesTotal{0};
    std::atomic<bool> m_cancelRequested{false};
};

// Where code that may run with or without a watcher reports: a null control is fine.
inline void advanceItems(OperationControl* control, std::int64_t count = 1) {
    if (control)
        control->addItems(count);
}
inline void advanceBytes(OperationControl* control, std::int64_t count) {
    if (control)
        control->addBytes(count);
}
inline void checkCancelled(const OperationControl* control, const QString& path) {
    if (control)
        control->throwIfCancelled(path);
}
// The path is decoded only when the cancel is taken.
inline void checkCancelled(const OperationControl* control, const QByteArray& path) {
    if (control && control->isCancelRequested())
        throw PlatformError(ECANCELED, PathCodec::decode(path));
}

} // namespace quillmere
