#include "models/undo/UndoHistory.h"

namespace quillmere {
namespace {

void pushLimited(std::deque<ChangeSet>& stack, ChangeSet set) {
    stack.push_back(std::move(set));
    while (stack.size() > UndoHistory::limit)
        stack.pop_front();
}

std::optional<ChangeSet> takeLast(std::deque<ChangeSet>& stack) {
    if (stack.empty())
        return std::nullopt;
    ChangeSet last = std::move(stack.back());
    stack.pop_back();
    return last;
}

} // namespace

void UndoHistory::recordDone(ChangeSet done) {
    m_redo.clear();
    pushLimited(m_undo, std::move(done));
}

std::optional<ChangeSet> UndoHistory::takeUndo() {
    return takeLast(m_undo);
}

std::optional<ChangeSet> UndoHistory::takeRedo() {
    return takeLast(m_redo);
}

void UndoHistory::pushUndo(ChangeSet done) {
    pushLimited(m_undo, std::move(done));
}

void UndoHistory::pushRedo(ChangeSet undone) {
    pushLimited(m_redo, std::move(undone));
}

} // namespace quillmere
