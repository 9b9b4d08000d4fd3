#pragma once

#include "models/undo/FileChange.h"

#include <deque>
#include <optional>

namespace quillmere {

// The operations of this session that can be taken back, newest last, and those taken back
// that can be done again. A new operation forgets what could be done again. Only the last
// `limit` operations are kept; nothing is saved.
class UndoHistory final {
public:
    static constexpr std::size_t limit = 100;

    void recordDone(ChangeSet done);
    const ChangeSet* nextUndo() const { return m_undo.empty() ? nullptr : &m_undo.back(); }
    const ChangeSet* nextRedo() const { return m_redo.empty() ? nullptr : &m_redo.back(); }
    std::optional<ChangeSet> takeUndo();
    std::optional<ChangeSet> takeRedo();
    // Puts back what was taken (it could not be run), or what running the other way gave.
    void pushUndo(ChangeSet done);
    void pushRedo(ChangeSet undone);

private:
    std::deque<ChangeSet> m_undo;
    std::deque<ChangeSet> m_redo;
};

} // namespace quillmere
