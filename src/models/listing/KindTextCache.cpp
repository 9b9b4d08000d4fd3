#include "models/listing/KindTextCache.h"

#include "models/listing/KindDescription.h"

namespace quillmere {

QString KindTextCache::kindOf(QStringView name, bool isDirectory) {
    const QStringView extension = KindDescription::pathExtension(name);
    if (isDirectory || extension.isEmpty())
        return KindDescription::of(name, isDirectory);
    const std::u16string_view key(extension.utf16(), size_t(extension.size()));
    const auto found = m_byExtension.find(key);
    if (found != m_byExtension.end())
        return found->second;
    QString kind = KindDescription::of(name, false);
    m_byExtension.emplace(std::u16string(key), kind);
    return kind;
}

} // namespace quillmere
