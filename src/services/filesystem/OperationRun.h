#pragma once

#include "platform/OperationControl.h"
#include "services/filesystem/OperationJournal.h"
#include "services/filesystem/UndoLog.h"

#include <cerrno>

namespace quillmere {

// The bookkeeping every multi-item operation shares: its undo log, its journal (an
// empty one when the caller keeps none) and its control (none when nobody watches).
// Begin with the plan, record each step on undo(), and end with finish() or, in a catch
// block, with fail() or abandon(), which roll back, note it, and remove the journal.
class OperationRun final {
public:
    OperationRun(std::shared_ptr<SystemCalls> calls, OperationControl* control, OperationJournal* journal)
        : m_none(std::move(calls), {})
        , m_journal(journal ? *journal : m_none)
        , m_control(control) {}

    OperationControl* control() const { return m_control; }
    OperationJournal& journal() { return m_journal; }
    UndoLog& undo() { return m_undo; }

    void begin(const JournalRecord& plan) {
        m_journal.begin(plan);
        if (m_control)
            m_control->setPhase(OperationControl::Phase::working);
    }

    void finish() {
        m_journal.end();
        if (m_control)
            m_control->setPhase(OperationControl::Phase::finished);
    }

    // The step at failedLocation failed (or was stopped by a cancel): rolls back and
    // throws Error's case for it.
    template <typename Error>
    [[noreturn]] void fail(const PlatformError& error, const QString& failedLocation) {
        const bool cancelled = error.code() == ECANCELED && m_control && m_control->isCancelRequested();
        startRollingBack();
        Error failure = m_undo.rollBackToError<Error>(error, failedLocation, cancelled);
        m_journal.end();
        throw failure;
    }

    // Something other than a platform failure ended the operation: rolls back and
    // rethrows it. Call it only from a catch block.
    [[noreturn]] void abandon() {
        startRollingBack();
        m_undo.rollBack();
        m_journal.end();
        throw;
    }

private:
    void startRollingBack() {
        if (m_control)
            m_control->setPhase(OperationControl::Phase::rollingBack);
        m_journal.rollingBack();
    }

    OperationJournal m_none;
    OperationJournal& m_journal;
    OperationControl* m_control;
    UndoLog m_undo;
};

} // namespace quillmere
