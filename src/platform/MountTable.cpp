#include "MountTable.h"

#include <fstream>
#include <sstream>

namespace quillmere {
namespace {

// mountinfo and fstab write space, tab, newline and backslash as octal escapes.
QByteArray unescapeOctal(const QByteArray& field) {
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' && field[i + 1] <= '3') {
            out.append(char((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0')));
            i += 3;
        } else {
            out.append(field[i]);
        }
    }
    return out;
}

QByteArray readWhole(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    const std::string text = buffer.str();
    return QByteArray(text.data(), qsizetype(text.size()));
}

bool contains(const QByteArray& mountPoint, const QByteArray& path) {
    if (mountPoint == "/")
        return path.startsWith('/');
    return path == mountPoint || (path.startsWith(mountPoint) && path[mountPoint.size()] == '/');
}

} // namespace

bool Mount::hasOption(const QByteArray& option) const {
    return options.contains(option) || tableOptions.contains(option);
}

MountTable MountTable::current() {
    return parse(readWhole("/proc/self/mountinfo"), readWhole("/etc/fstab"), readWhole("/run/mount/utab"));
}

MountTable MountTable::parse(const QByteArray& mountInfo, const QByteArray& fstab, const QByteArray& utab) {
    MountTable table;
    for (const QByteArray& line : mountInfo.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        const qsizetype separator = fields.indexOf("-");
        if (fields.size() < 7 || separator < 6 || separator + 1 >= fields.size())
            continue;
        Mount mount;
        mount.id = fields[0].toInt();
        mount.parentId = fields[1].toInt();
        mount.mountPoint = unescapeOctal(fields[4]);
        mount.options = fields[5].split(',');
        mount.fileSystemType = fields[separator + 1];
        if (separator + 2 < fields.size())
            mount.source = unescapeOctal(fields[separator + 2]);
        if (separator + 3 < fields.size())
            mount.options += fields[separator + 3].split(',');
        table.m_mounts.append(mount);
    }
    for (const QByteArray& line : fstab.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 4 || fields[0].startsWith('#'))
            continue;
        const QByteArray mountPoint = unescapeOctal(fields[1]);
        for (Mount& mount : table.m_mounts)
            if (mount.mountPoint == mountPoint)
                mount.tableOptions = fields[3].split(',');
    }
    // utab lines are KEY=VALUE fields: TARGET is the mount point, OPTS the options.
    for (const QByteArray& line : utab.split('\n')) {
        QByteArray target;
        QList<QByteArray> options;
        for (const QByteArray& field : line.split(' ')) {
            if (field.startsWith("TARGET="))
                target = unescapeOctal(field.mid(7));
            else if (field.startsWith("OPTS="))
                options = field.mid(5).split(',');
        }
        if (target.isEmpty() || options.isEmpty())
            continue;
        for (Mount& mount : table.m_mounts)
            if (mount.mountPoint == target)
                mount.tableOptions += options;
    }
    return table;
}

std::optional<Mount> MountTable::mountContaining(const QByteArray& path) const {
    std::optional<Mount> best;
    // Later lines are mounted on top of earlier ones at the same point.
    for (const Mount& mount : m_mounts)
        if (contains(mount.mountPoint, path) && (!best || mount.mountPoint.size() >= best->mountPoint.size()))
            best = mount;
    return best;
}

} // namespace quillmere
