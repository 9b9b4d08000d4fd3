#pragma once

#include "models/undo/FileChange.h"

#include <QStringList>

#include <exception>
#include <optional>

namespace quillmere {

// Why an operation cannot be taken back (or done again) as it is: an item it left is gone
// or has changed since, or something now stands where an item would go back to.
struct UndoRefusal {
    enum class Reason { missing, changed, taken };

    Reason reason = Reason::changed;
    QString path;   // the first item concerned
    int others = 0; // how many more are concerned

    bool operator==(const UndoRefusal&) const = default;
};

// Nothing is touched before everything an operation left is checked: each item must still be
// the same entry (device and inode) and, for a file, of the same size and modification time
// (a folder's change with its contents and is not compared), and every place an item goes
// back to must be free, or be left by another item of the same operation.
namespace UndoCheck {

// The paths to read, in order: where each item is now, then where each would go back to.
QStringList pathsToRead(const ChangeSet& done);
// states: what itemStates answered for pathsToRead(done).
std::optional<UndoRefusal> refusal(const ChangeSet& done, const QList<std::optional<ItemState>>& states);

} // namespace UndoCheck

// The error of an undo or redo that was refused, carrying the user's words.
class UndoRefused final : public std::exception {
public:
    explicit UndoRefused(QString message);
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

} // namespace quillmere
