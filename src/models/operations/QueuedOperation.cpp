#include "models/operations/QueuedOperation.h"

namespace quillmere {

QueuedOperation::QueuedOperation(quint64 id, OperationDescription description)
    : m_id(id)
    , m_description(std::move(description)) {
    m_turn.start();
}

QueuedOperation::~QueuedOperation() {
    // Whoever still waits wakes up to a refusal rather than never.
    settleTurn(false);
}

void QueuedOperation::settleTurn(bool given) {
    if (m_turnSettled)
        return;
    m_turnSettled = true;
    m_turnGiven = given;
    m_turn.finish();
}

} // namespace quillmere
