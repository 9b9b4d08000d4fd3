#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace quillmere::test {

// A temporary folder for one test, with HOME, XDG_CONFIG_HOME, XDG_DATA_HOME and
// XDG_STATE_HOME pointed inside it so nothing touches the real home, configuration,
// trash or operation journals.
// Paths are handled as raw bytes so hostile names can be created exactly.
class TemporaryTree {
public:
    // base: the folder to create the tree in (for example /dev/shm); empty for the default.
    // A tree with Environment::keep leaves HOME and the XDG folders to an earlier tree.
    enum class Environment { redirect, keep };
    explicit TemporaryTree(const QString& base = {}, Environment environment = Environment::redirect);
    ~TemporaryTree();

    bool isValid() const { return m_dir.isValid(); }
    QByteArray rootBytes() const { return m_root; }
    QByteArray bytes(const QByteArray& relative) const { return m_root + '/' + relative; }
    // The path as the program holds it (decoded through the lossless codec).
    QString path(const QByteArray& relative = {}) const;

    // Makes missing parent folders (0755) first.
    void writeFile(const QByteArray& relative, const QByteArray& contents, int mode = 0644) const;
    void makeFolder(const QByteArray& relative, int mode = 0755) const;
    void makeSymlink(const QByteArray& target, const QByteArray& relative) const;
    void makeFifo(const QByteArray& relative) const;
    QByteArray readFile(const QByteArray& relative) const;
    bool exists(const QByteArray& relative) const;
    QByteArray dataHome() const { return m_root + "/data"; }
    QByteArray homeTrash() const { return m_root + "/data/Trash"; }
    // Every name in the home trash's files/ and info/ folders.
    QList<QByteArray> trashContents() const;
    // The names in a folder (an absolute path), sorted bytewise; none when it cannot be read.
    static QList<QByteArray> namesIn(const QByteArray& folder);

private:
    QTemporaryDir m_dir;
    QByteArray m_root;
    Environment m_environment;
    QByteArray m_savedHome, m_savedConfig, m_savedData, m_savedState;
};

} // namespace quillmere::test
