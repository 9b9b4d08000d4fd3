#include "DiskLabels.h"

#include "PathCodec.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <memory>

namespace quillmere {
namespace {

std::optional<QByteArray> resolved(const QByteArray& path) {
    char buffer[PATH_MAX];
    if (!::realpath(path.constData(), buffer))
        return std::nullopt;
    return QByteArray(buffer);
}

bool isHexDigit(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

} // namespace

QByteArray DiskLabels::unescapeLinkName(const QByteArray& name) {
    QByteArray out;
    out.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' && isHexDigit(name[i + 2]) &&
            isHexDigit(name[i + 3])) {
            out.append(QByteArray::fromHex(name.mid(i + 2, 2)));
            i += 3;
        } else {
            out.append(name[i]);
        }
    }
    return out;
}

DiskLabels DiskLabels::read(const QByteArray& folder) {
    DiskLabels labels;
    const std::unique_ptr<DIR, int (*)(DIR*)> directory(::opendir(folder.constData()), &::closedir);
    if (!directory)
        return labels;
    while (const dirent* entry = ::readdir(directory.get())) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        const std::optional<QByteArray> device = resolved(folder + '/' + name);
        if (!device)
            continue;
        const QString label = PathCodec::decode(unescapeLinkName(name));
        if (!label.isEmpty())
            labels.m_labelByDevice.insert(*device, label);
    }
    return labels;
}

std::optional<QString> DiskLabels::labelFor(const QByteArray& source) const {
    if (!source.startsWith('/') || source.startsWith("//") || m_labelByDevice.isEmpty())
        return std::nullopt;
    const std::optional<QByteArray> device = resolved(source);
    if (!device)
        return std::nullopt;
    const auto found = m_labelByDevice.constFind(*device);
    if (found == m_labelByDevice.constEnd())
        return std::nullopt;
    return *found;
}

} // namespace quillmere
