#pragma once

#include "models/operations/QueuedOperation.h"

#include <QPointer>

#include <memory>
#include <optional>

namespace quillmere {

class OperationQueue;

// An operation's place in its queue, held by the coroutine that runs it: it is given
// up when the coroutine is done with it, whether it returns, throws or is destroyed,
// so the queue never waits on an operation nobody runs.
class QueuePlace final {
public:
    QueuePlace(OperationQueue& queue, std::shared_ptr<QueuedOperation> operation);
    ~QueuePlace();
    QueuePlace(const QueuePlace&) = delete;
    QueuePlace& operator=(const QueuePlace&) = delete;

    const std::shared_ptr<QueuedOperation>& operation() const { return m_operation; }
    const std::shared_ptr<OperationControl>& control() const { return m_operation->control(); }

    // How the operation failed, in the user's words; given up with the place.
    void fail(QString message) { m_failure = std::move(message); }
    // Gives the place up now, so the next operation may start while this one's
    // follow-up (a listing) is still under way.
    void release();

private:
    QPointer<OperationQueue> m_queue;
    std::shared_ptr<QueuedOperation> m_operation;
    std::optional<QString> m_failure;
};

} // namespace quillmere
