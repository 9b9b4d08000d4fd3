#include "TreeSnapshot.h"

#include <QCryptographicHash>
#include <QFile>

#include <algorithm>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace quillmere::test {

namespace {

// The extended attributes, POSIX ACLs among them, sorted by name.
QByteArray attributesOf(const QByteArray& path) {
    char names[65536];
    const ssize_t length = ::llistxattr(path.constData(), names, sizeof names);
    if (length <= 0)
        return {};
    QList<QByteArray> sorted = QByteArray(names, length - 1).split('\0');
    std::sort(sorted.begin(), sorted.end());
    QByteArray description;
    for (const QByteArray& name : sorted) {
        char value[65536];
        const ssize_t size = ::lgetxattr(path.constData(), name.constData(), value, sizeof value);
        description += ' ' + name + '=' + QByteArray(value, std::max<ssize_t>(size, 0)).toHex();
    }
    return description;
}

} // namespace

TreeSnapshot TreeSnapshot::of(const QByteArray& root) {
    TreeSnapshot snapshot;
    snapshot.add(root, {});
    return snapshot;
}

void TreeSnapshot::add(const QByteArray& root, const QByteArray& relative) {
    const QByteArray full = relative.isEmpty() ? root : root + '/' + relative;
    struct stat status;
    if (::lstat(full.constData(), &status) != 0) {
        m_items.insert(relative, "missing");
        return;
    }
    QByteArray description = "mode=" + QByteArray::number(status.st_mode, 8) +
                             " owner=" + QByteArray::number(status.st_uid) + ':' +
                             QByteArray::number(status.st_gid) + attributesOf(full);
    if (S_ISDIR(status.st_mode)) {
        m_items.insert(relative, description);
        DIR* d = ::opendir(full.constData());
        if (!d)
            return;
        QList<QByteArray> names;
        while (dirent* e = ::readdir(d))
            if (qstrcmp(e->d_name, ".") != 0 && qstrcmp(e->d_name, "..") != 0)
                names.append(QByteArray(e->d_name));
        ::closedir(d);
        for (const QByteArray& name : names)
            add(root, relative.isEmpty() ? name : relative + '/' + name);
        return;
    }
    description += " links=" + QByteArray::number(qint64(status.st_nlink));
    description += " size=" + QByteArray::number(qint64(status.st_size));
    description += " mtime=" + QByteArray::number(qint64(status.st_mtim.tv_sec)) + '.' +
                   QByteArray::number(qint64(status.st_mtim.tv_nsec));
    if (S_ISLNK(status.st_mode)) {
        char target[4096];
        const ssize_t n = ::readlink(full.constData(), target, sizeof target);
        description += " link=" + QByteArray(target, n > 0 ? n : 0);
    } else if (S_ISREG(status.st_mode)) {
        QCryptographicHash hash(QCryptographicHash::Sha1);
        const int fd = ::open(full.constData(), O_RDONLY | O_NONBLOCK);
        char buffer[65536];
        ssize_t n;
        while (fd >= 0 && (n = ::read(fd, buffer, sizeof buffer)) > 0)
            hash.addData(QByteArrayView(buffer, n));
        if (fd >= 0)
            ::close(fd);
        description += " sha1=" + hash.result().toHex();
    }
    m_items.insert(relative, description);
}

QString TreeSnapshot::differenceFrom(const TreeSnapshot& other) const {
    QString out;
    for (auto it = m_items.begin(); it != m_items.end(); ++it) {
        const QByteArray theirs = other.m_items.value(it.key(), "absent");
        if (theirs != it.value())
            out += QString::fromLatin1("%1: %2 -> %3\n")
                       .arg(QString::fromLatin1(it.key().toPercentEncoding("/")),
                            QString::fromLatin1(it.value()), QString::fromLatin1(theirs));
    }
    for (auto it = other.m_items.begin(); it != other.m_items.end(); ++it)
        if (!m_items.contains(it.key()))
            out += QString::fromLatin1("%1: absent -> %2\n")
                       .arg(QString::fromLatin1(it.key().toPercentEncoding("/")),
                            QString::fromLatin1(it.value()));
    return out;
}

} // namespace quillmere::test
