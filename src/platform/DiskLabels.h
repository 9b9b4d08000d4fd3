#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

namespace quillmere {

// The file-system labels udev publishes as links in /dev/disk/by-label, keyed by the
// device each link resolves to, so that a mount source given as /dev/sdb1, as a
// /dev/disk/by-uuid link or as a /dev/mapper name finds the same label.
class DiskLabels final {
public:
    static constexpr const char* defaultFolder = "/dev/disk/by-label";

    // A folder that cannot be read (no labelled disk at all) gives no labels.
    static DiskLabels read(const QByteArray& folder = defaultFolder);

    // The label of the device a mount source names; nothing for a source that is no
    // device path ("server:/export", "//host/share", "tmpfs") or a device without a label.
    std::optional<QString> labelFor(const QByteArray& source) const;

    // udev writes every byte it does not keep in a link name as "\xNN".
    static QByteArray unescapeLinkName(const QByteArray& name);

private:
    QHash<QByteArray, QString> m_labelByDevice;
};

} // namespace quillmere
