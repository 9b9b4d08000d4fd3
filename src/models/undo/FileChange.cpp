#include "models/undo/FileChange.h"

namespace quillmere {

ChangeSet ChangeSet::inverse() const {
    ChangeSet result{description, {}};
    result.changes.reserve(changes.size());
    for (auto change = changes.crbegin(); change != changes.crend(); ++change) {
        using Kind = FileChange::Kind;
        switch (change->kind) {
        case Kind::move:
        case Kind::rename: result.changes.append({change->kind, change->to, change->from, {}}); break;
        case Kind::trash: result.changes.append({Kind::restore, change->to, change->from, {}}); break;
        case Kind::restore:
        case Kind::copy:
        case Kind::create: result.changes.append({Kind::trash, change->to, {}, {}}); break;
        }
    }
    return result;
}

} // namespace quillmere
