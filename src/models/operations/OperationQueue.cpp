#include "models/operations/OperationQueue.h"

#include <QCoroFuture>

#include <algorithm>

namespace quillmere {

OperationQueue::OperationQueue(std::chrono::milliseconds longAfter, QObject* parent)
    : QObject(parent) {
    m_longTimer.setSingleShot(true);
    m_longTimer.setInterval(longAfter);
    connect(&m_longTimer, &QTimer::timeout, this, &OperationQueue::runningLastedLong);
}

OperationQueue::~OperationQueue() {
    // Operations still waiting are refused, so their coroutines end instead of hanging.
    for (const auto& operation : std::as_const(m_operations))
        operation->settleTurn(false);
}

void OperationQueue::setLongAfter(std::chrono::milliseconds delay) {
    m_longTimer.setInterval(delay);
}

std::shared_ptr<QueuedOperation> OperationQueue::enqueue(OperationDescription description) {
    auto operation = std::make_shared<QueuedOperation>(m_nextId++, std::move(description));
    m_operations.append(operation);
    if (m_operations.size() == 1) {
        startFirst();
    } else {
        // Waiting is worth showing, and so is whatever it waits behind.
        for (const auto& each : std::as_const(m_operations))
            makeLong(*each);
    }
    Q_EMIT operationsChanged();
    return operation;
}

QCoro::Task<bool> OperationQueue::waitForTurn(std::shared_ptr<QueuedOperation> operation) {
    // A named local: the future must outlive the suspension.
    QFuture<void> turn = operation->m_turn.future();
    co_await turn;
    co_return operation->m_turnGiven;
}

void OperationQueue::finish(const std::shared_ptr<QueuedOperation>& operation,
                            std::optional<QString> failureMessage) {
    if (!operation || operation->m_state == QueuedOperation::State::finished)
        return;
    const bool wasRunning = !m_operations.isEmpty() && m_operations.first() == operation;
    m_operations.removeOne(operation);
    operation->settleTurn(false);
    operation->m_state = QueuedOperation::State::finished;
    operation->m_failureMessage = std::move(failureMessage);
    operation->control()->setPhase(OperationControl::Phase::finished);
    if (wasRunning) {
        m_longTimer.stop();
        if (!m_operations.isEmpty())
            startFirst();
    }
    Q_EMIT operationsChanged();
    Q_EMIT operationFinished(operation.get());
}

void OperationQueue::cancel(const std::shared_ptr<QueuedOperation>& operation) {
    const qsizetype index = m_operations.indexOf(operation);
    if (index < 0)
        return;
    operation->control()->requestCancel();
    if (index > 0) {
        // It never starts: its coroutine learns so and ends it.
        m_operations.removeAt(index);
        operation->settleTurn(false);
    }
    Q_EMIT operationsChanged();
}

void OperationQueue::cancelRunning() {
    if (const std::shared_ptr<QueuedOperation> first = running())
        cancel(first);
}

std::shared_ptr<QueuedOperation> OperationQueue::running() const {
    if (m_operations.isEmpty())
        return nullptr;
    return m_operations.first();
}

QList<std::shared_ptr<QueuedOperation>> OperationQueue::waiting() const {
    return m_operations.mid(1);
}

bool OperationQueue::hasLongOperation() const {
    return std::any_of(m_operations.begin(), m_operations.end(),
                       [](const auto& operation) { return operation->isLong(); });
}

void OperationQueue::startFirst() {
    QueuedOperation& first = *m_operations.first();
    first.m_state = QueuedOperation::State::running;
    first.settleTurn(true);
    if (!first.isLong())
        m_longTimer.start();
}

void OperationQueue::makeLong(QueuedOperation& operation) {
    if (operation.m_isLong)
        return;
    operation.m_isLong = true;
    Q_EMIT operation.becameLong();
}

void OperationQueue::runningLastedLong() {
    if (const std::shared_ptr<QueuedOperation> first = running()) {
        makeLong(*first);
        Q_EMIT operationsChanged();
    }
}

} // namespace quillmere
