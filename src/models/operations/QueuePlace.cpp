#include "models/operations/QueuePlace.h"

#include "models/operations/OperationQueue.h"

namespace quillmere {

QueuePlace::QueuePlace(OperationQueue& queue, std::shared_ptr<QueuedOperation> operation)
    : m_queue(&queue)
    , m_operation(std::move(operation)) {}

QueuePlace::~QueuePlace() {
    release();
}

void QueuePlace::release() {
    if (m_queue)
        m_queue->finish(m_operation, std::exchange(m_failure, std::nullopt));
}

} // namespace quillmere
