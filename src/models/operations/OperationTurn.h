#pragma once

#include "models/operations/OperationQueue.h"
#include "models/operations/QueuePlace.h"

#include <QCoroTask>
#include <QString>

#include "models/errors/OperationErrorText.h"

namespace quillmere {

// What every queued file operation does around its work: wait for its turn, and say in
// the user's words how it failed.
namespace OperationTurn {

// The user's words for the failure being handled: the file operations' fixed messages,
// or the error's own text.
inline QString failureText() {
    try {
        throw;
    } catch (const DeleteError& error) {
        return OperationErrorText::of(error);
    } catch (const TransferError& error) {
        return OperationErrorText::of(error);
    } catch (const BatchRenameError& error) {
        return OperationErrorText::of(error);
    } catch (const PermanentDeleteError& error) {
        return OperationErrorText::of(error);
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    } catch (...) {
        return {};
    }
}

// Waits for the operation's turn; one cancelled meanwhile ends with Error's cancelled
// case before anything was touched, so there is nothing to put back.
template <typename Error> QCoro::Task<> takeTurn(OperationQueue& queue, const QueuePlace& place) {
    const bool given = co_await queue.waitForTurn(place.operation());
    if (!given || place.operation()->isCancelRequested())
        throw Error::cancelled({});
}

} // namespace OperationTurn

} // namespace quillmere
