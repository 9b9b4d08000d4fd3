#include "ScopedMount.h"

#include <QDeadlineTimer>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/mount.h>
#include <sys/prctl.h>

using namespace Qt::StringLiterals;

namespace quillmere::test {
namespace {

QString lastError(const char* what) {
    return QString::fromLatin1(what) + u": "_s + QString::fromLocal8Bit(strerror(errno));
}

} // namespace

ScopedMount::~ScopedMount() {
    release();
}

ScopedMount::ScopedMount(ScopedMount&& other) noexcept
    : m_point(std::exchange(other.m_point, {}))
    , m_error(std::move(other.m_error))
    , m_driver(std::move(other.m_driver)) {}

ScopedMount& ScopedMount::operator=(ScopedMount&& other) noexcept {
    if (this != &other) {
        release();
        m_point = std::exchange(other.m_point, {});
        m_error = std::move(other.m_error);
        m_driver = std::move(other.m_driver);
    }
    return *this;
}

ScopedMount ScopedMount::failure(QString reason) {
    ScopedMount mount;
    mount.m_error = std::move(reason);
    return mount;
}

ScopedMount ScopedMount::tmpfs(const QByteArray& point, const QByteArray& options) {
    if (::mount("quillmere-test", point.constData(), "tmpfs", 0, options.constData()) != 0)
        return failure(lastError("mount tmpfs"));
    ScopedMount mount;
    mount.m_point = point;
    return mount;
}

ScopedMount ScopedMount::readOnlyBind(const QByteArray& source, const QByteArray& point) {
    if (::mount(source.constData(), point.constData(), nullptr, MS_BIND, nullptr) != 0)
        return failure(lastError("bind mount"));
    ScopedMount mount;
    mount.m_point = point;
    // A bind mount takes its flags only from a remount.
    if (::mount(nullptr, point.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
        return failure(lastError("remount read-only"));
    return mount;
}

ScopedMount ScopedMount::fuse(const QByteArray& point, const QString& driver, const QStringList& arguments) {
    ScopedMount mount;
    mount.m_driver = std::make_unique<QProcess>();
    QProcess& process = *mount.m_driver;
    process.setProcessChannelMode(QProcess::MergedChannels);
    // A driver outliving a crashed test would keep the namespace and its mount alive.
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    process.start(driver, arguments);
    if (!process.waitForStarted())
        return failure(driver + u" did not start: "_s + process.errorString());
    // The driver mounts shortly after it starts; the deadline only bounds a driver that hangs.
    const QDeadlineTimer deadline(10000);
    while (typeAt(point).isEmpty()) {
        if (process.waitForFinished(20) || deadline.hasExpired()) {
            process.kill();
            process.waitForFinished();
            return failure(driver + u" did not mount: "_s + QString::fromLocal8Bit(process.readAll()));
        }
    }
    mount.m_point = point;
    return mount;
}

QByteArray ScopedMount::typeAt(const QByteArray& point) {
    QFile table(u"/proc/self/mountinfo"_s);
    if (!table.open(QIODevice::ReadOnly))
        return {};
    QByteArray type;
    // Fields: id parent dev root mountpoint options [optional...] - type source superoptions.
    for (const QByteArray& line : table.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype separator = fields.indexOf("-");
        if (separator > 4 && separator + 1 < fields.size() && fields[4] == point)
            type = fields[separator + 1]; // the last one mounted there is the one in use
    }
    return type;
}

void ScopedMount::release() {
    if (!m_point.isEmpty()) {
        if (::umount2(m_point.constData(), 0) != 0)
            ::umount2(m_point.constData(), MNT_DETACH);
        m_point.clear();
    }
    if (m_driver) {
        if (!m_driver->waitForFinished(5000)) {
            m_driver->kill();
            m_driver->waitForFinished();
        }
        m_driver.reset();
    }
}

} // namespace quillmere::test
