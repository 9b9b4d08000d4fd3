#include "TemporaryTree.h"

#include "platform/PathCodec.h"
#include "platform/PlatformError.h"
#include "platform/SystemCalls.h"
#include "platform/TreeRemover.h"

#include <QDir>
#include <QtTest>

#include <algorithm>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace quillmere::test {

TemporaryTree::TemporaryTree(const QString& base, Environment environment)
    : m_dir(base.isEmpty() ? QDir::tempPath() + u"/quillmere-test-XXXXXX"_s
                           : base + u"/quillmere-test-XXXXXX"_s)
    , m_environment(environment) {
    m_root = QFile::encodeName(m_dir.path());
    m_savedHome = qgetenv("HOME");
    m_savedConfig = qgetenv("XDG_CONFIG_HOME");
    m_savedData = qgetenv("XDG_DATA_HOME");
    m_savedState = qgetenv("XDG_STATE_HOME");
    ::mkdir(QByteArray(m_root + "/home").constData(), 0700);
    ::mkdir(QByteArray(m_root + "/config").constData(), 0700);
    ::mkdir(QByteArray(m_root + "/data").constData(), 0700);
    ::mkdir(QByteArray(m_root + "/tree").constData(), 0755);
    if (m_environment == Environment::keep)
        return;
    qputenv("HOME", m_root + "/home");
    qputenv("XDG_CONFIG_HOME", m_root + "/config");
    qputenv("XDG_DATA_HOME", m_root + "/data");
    // Where the operations' journals go: a test never finds the real ones.
    qputenv("XDG_STATE_HOME", m_root + "/state");
}

TemporaryTree::~TemporaryTree() {
    // QTemporaryDir cannot remove names that are not valid UTF-8; remove them byte for byte first.
    try {
        TreeRemover(SystemCalls::real()).removeBytes(m_root);
    } catch (const PlatformError&) {
    }
    if (m_environment == Environment::keep)
        return;
    qputenv("HOME", m_savedHome);
    qputenv("XDG_CONFIG_HOME", m_savedConfig);
    qputenv("XDG_DATA_HOME", m_savedData);
    qputenv("XDG_STATE_HOME", m_savedState);
}

QString TemporaryTree::path(const QByteArray& relative) const {
    return PathCodec::decode(relative.isEmpty() ? m_root : bytes(relative));
}

void TemporaryTree::writeFile(const QByteArray& relative, const QByteArray& contents, int mode) const {
    const QByteArray p = bytes(relative);
    // Missing parent folders are made as a test would describe them: just the path.
    for (qsizetype slash = m_root.size() + 1; (slash = p.indexOf('/', slash)) > 0; ++slash)
        ::mkdir(p.left(slash).constData(), 0755);
    const int fd = ::open(p.constData(), O_WRONLY | O_CREAT | O_TRUNC, mode);
    QVERIFY2(fd >= 0, p.constData());
    QCOMPARE(::write(fd, contents.constData(), size_t(contents.size())), ssize_t(contents.size()));
    ::fchmod(fd, mode_t(mode));
    ::close(fd);
}

void TemporaryTree::makeFolder(const QByteArray& relative, int mode) const {
    QVERIFY2(::mkdir(bytes(relative).constData(), mode_t(mode)) == 0, relative.constData());
}

void TemporaryTree::makeSymlink(const QByteArray& target, const QByteArray& relative) const {
    QVERIFY2(::symlink(target.constData(), bytes(relative).constData()) == 0, relative.constData());
}

void TemporaryTree::makeFifo(const QByteArray& relative) const {
    QVERIFY2(::mkfifo(bytes(relative).constData(), 0644) == 0, relative.constData());
}

QByteArray TemporaryTree::readFile(const QByteArray& relative) const {
    // Raw calls: Qt's own name conversion cannot reach names with invalid UTF-8.
    const int fd = ::open(bytes(relative).constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return {};
    QByteArray contents;
    char buffer[65536];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        contents.append(buffer, n);
    ::close(fd);
    return contents;
}

bool TemporaryTree::exists(const QByteArray& relative) const {
    struct stat status;
    return ::lstat(bytes(relative).constData(), &status) == 0;
}

QList<QByteArray> TemporaryTree::namesIn(const QByteArray& folder) {
    QList<QByteArray> names;
    if (DIR* d = opendir(folder.constData())) {
        while (dirent* e = readdir(d))
            if (qstrcmp(e->d_name, ".") != 0 && qstrcmp(e->d_name, "..") != 0)
                names.append(QByteArray(e->d_name));
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

QList<QByteArray> TemporaryTree::trashContents() const {
    QList<QByteArray> all;
    for (const QByteArray& name : namesIn(homeTrash() + "/files"))
        all.append("files/" + name);
    for (const QByteArray& name : namesIn(homeTrash() + "/info"))
        all.append("info/" + name);
    return all;
}

} // namespace quillmere::test
