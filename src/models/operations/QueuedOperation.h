#pragma once

#include "models/operations/OperationDescription.h"
#include "platform/OperationControl.h"

#include <QObject>
#include <QPromise>

#include <functional>
#include <memory>
#include <optional>

namespace quillmere {

// One file operation's place in the OperationQueue: what it is, the control its worker
// reports progress through and honours a cancel on, where it stands in the queue, and
// how it ended. Shared between the queue, the coroutine that runs the operation and
// whoever watches it; changed by the queue only, on the user-interface thread.
//
// An operation becomes long once it has to wait behind another or has run past the
// queue's delay: from then on it is shown in the progress strip, and a sheet that
// started it steps aside and leaves its outcome to the window.
class QueuedOperation final : public QObject {
    Q_OBJECT

public:
    enum class State { waiting, running, finished };

    QueuedOperation(quint64 id, OperationDescription description);
    ~QueuedOperation() override;

    quint64 id() const { return m_id; }
    const OperationDescription& description() const { return m_description; }
    const std::shared_ptr<OperationControl>& control() const { return m_control; }
    State state() const { return m_state; }
    bool isLong() const { return m_isLong; }
    bool isCancelRequested() const { return m_control->isCancelRequested(); }

    // The user's words for how it failed (or was cancelled); none after a success.
    const std::optional<QString>& failureMessage() const { return m_failureMessage; }
    // Whether the window, not the sheet that started it, tells the user how it ended.
    bool isOutcomeForWindow() const { return m_isOutcomeForWindow; }
    void leaveOutcomeToWindow() { m_isOutcomeForWindow = true; }

Q_SIGNALS:
    void becameLong();

private:
    friend class OperationQueue;

    // Settles the wait for the turn: given when the operation may run, refused when it
    // was cancelled while waiting.
    void settleTurn(bool given);

    quint64 m_id;
    OperationDescription m_description;
    std::shared_ptr<OperationControl> m_control = std::make_shared<OperationControl>();
    State m_state = State::waiting;
    bool m_isLong = false;
    bool m_turnGiven = false;
    bool m_turnSettled = false;
    QPromise<void> m_turn;
    std::optional<QString> m_failureMessage;
    bool m_isOutcomeForWindow = false;
};

// Told of an operation the moment it is queued (a sheet that wants to follow it).
using QueuedOperationObserver = std::function<void(const std::shared_ptr<QueuedOperation>&)>;

} // namespace quillmere
