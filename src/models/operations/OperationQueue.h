#pragma once

#include "models/operations/QueuedOperation.h"

#include <QCoroTask>
#include <QList>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <memory>
#include <optional>

namespace quillmere {

// Runs the long file operations (trash, move, copy, batch rename) one at a time, in the
// order they were asked for, while the user goes on browsing. The caller plans from
// what is marked at once, enqueues, awaits its turn, runs the service call with the
// operation's control, and finishes (a QueuePlace does that whatever happens).
//
// The first operation in the queue is the running one; the rest wait. Cancelling a
// running operation asks its worker to stop and roll back; cancelling a waiting one
// takes it out, and it never starts. Everything here happens on the user-interface
// thread.
class OperationQueue final : public QObject {
    Q_OBJECT

public:
    // Work shorter than this is not worth a progress display.
    static constexpr std::chrono::milliseconds defaultLongAfter{500};

    explicit OperationQueue(std::chrono::milliseconds longAfter = defaultLongAfter,
                            QObject* parent = nullptr);
    ~OperationQueue() override;

    void setLongAfter(std::chrono::milliseconds delay);

    // Joins the end of the queue; it runs at once when the queue was empty.
    std::shared_ptr<QueuedOperation> enqueue(OperationDescription description);
    // True once the operation may run; false when it was cancelled while it waited.
    QCoro::Task<bool> waitForTurn(std::shared_ptr<QueuedOperation> operation);
    // Ends the operation (a success without a message) and lets the next one run.
    void finish(const std::shared_ptr<QueuedOperation>& operation,
                std::optional<QString> failureMessage = std::nullopt);
    void cancel(const std::shared_ptr<QueuedOperation>& operation);
    void cancelRunning();

    // The operation whose turn it is, if any.
    std::shared_ptr<QueuedOperation> running() const;
    // The operations after it, in order.
    QList<std::shared_ptr<QueuedOperation>> waiting() const;
    bool isEmpty() const { return m_operations.isEmpty(); }
    // Whether anything in the queue is long enough to be shown.
    bool hasLongOperation() const;

Q_SIGNALS:
    // An operation joined, started, was cancelled or left.
    void operationsChanged();
    // Emitted once per operation, when its coroutine is done with it.
    void operationFinished(const QueuedOperation* operation);

private:
    void startFirst();
    void makeLong(QueuedOperation& operation);
    void runningLastedLong();

    QList<std::shared_ptr<QueuedOperation>> m_operations;
    QTimer m_longTimer;
    quint64 m_nextId = 1;
};

} // namespace quillmere
