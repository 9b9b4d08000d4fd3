#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

namespace quillmere::test {

// Everything a user could tell apart in a tree: for each item below the root, its
// type, mode, owner, extended attributes, size, contents (or link target), and for
// non-folders the modification time and the number of names. Two snapshots are equal when nothing was lost,
// added or changed.
class TreeSnapshot {
public:
    static TreeSnapshot of(const QByteArray& root);

    bool operator==(const TreeSnapshot&) const = default;
    // A readable list of the differences, for test failure messages.
    QString differenceFrom(const TreeSnapshot& other) const;
    // What differs between this snapshot and the tree at root now; empty when nothing does.
    QString changesIn(const QByteArray& root) const { return differenceFrom(of(root)); }
    qsizetype size() const { return m_items.size(); }

private:
    void add(const QByteArray& root, const QByteArray& relative);
    QMap<QByteArray, QByteArray> m_items;
};

} // namespace quillmere::test
