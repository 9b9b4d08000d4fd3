#include "models/undo/UndoCheck.h"

#include "models/paths/FilePath.h"

#include <QSet>

namespace quillmere {
namespace {

using Kind = FileChange::Kind;

// Where the item of a change goes back to when the change is taken back; none when taking
// it back sends the item to the trash.
std::optional<QString> placeBack(const FileChange& change) {
    switch (change.kind) {
    case Kind::move:
    case Kind::rename:
    case Kind::trash: return change.from;
    case Kind::restore:
    case Kind::copy:
    case Kind::create: return std::nullopt;
    }
    return std::nullopt;
}

bool sameItem(const ItemState& before, const ItemState& now) {
    if (before.identity != now.identity || before.isDirectory != now.isDirectory)
        return false;
    return before.isDirectory || (before.size == now.size && before.modified == now.modified);
}

} // namespace

QStringList UndoCheck::pathsToRead(const ChangeSet& done) {
    QStringList paths;
    for (const FileChange& change : done.changes)
        paths.append(change.to);
    for (const FileChange& change : done.changes)
        paths.append(placeBack(change).value_or(QString()));
    return paths;
}

std::optional<UndoRefusal> UndoCheck::refusal(const ChangeSet& done,
                                              const QList<std::optional<ItemState>>& states) {
    const qsizetype count = done.changes.size();
    std::optional<UndoRefusal> first;
    const auto note = [&first](UndoRefusal::Reason reason, const QString& path) {
        if (first)
            ++first->others;
        else
            first = UndoRefusal{reason, path, 0};
    };
    // Every place an item leaves when the operation is taken back.
    QSet<QString> left;
    for (const FileChange& change : done.changes)
        left.insert(FilePath::standardised(change.to));
    for (qsizetype i = 0; i < count; ++i) {
        const FileChange& change = done.changes[i];
        const std::optional<ItemState>& now = states.value(i);
        if (!now)
            note(UndoRefusal::Reason::missing, change.to);
        else if (!change.after || !sameItem(*change.after, *now))
            note(UndoRefusal::Reason::changed, change.to);
    }
    for (qsizetype i = 0; i < count; ++i) {
        const std::optional<QString> back = placeBack(done.changes[i]);
        if (back && states.value(count + i) && !left.contains(FilePath::standardised(*back)))
            note(UndoRefusal::Reason::taken, *back);
    }
    return first;
}

UndoRefused::UndoRefused(QString message)
    : m_message(std::move(message))
    , m_utf8(m_message.toUtf8()) {}

} // namespace quillmere
