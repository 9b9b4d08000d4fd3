#include "models/paths/FileName.h"

#include "models/listing/KindDescription.h"
#include "platform/PathCodec.h"

#include <algorithm>

namespace quillmere {

QStringView FileName::extension(QStringView name) {
    return KindDescription::pathExtension(name);
}

QStringView FileName::stem(QStringView name) {
    const QStringView suffix = extension(name);
    if (suffix.isEmpty())
        return name;
    return name.first(name.size() - suffix.size() - 1);
}

bool FileName::isUsable(QStringView name) {
    if (name.isEmpty() || name == u"." || name == u".." || name.contains(u'/') || name.contains(QChar(0)))
        return false;
    // Three bytes at most per UTF-16 unit: only a long name needs encoding to be measured.
    if (name.size() * 3 <= maximumBytes)
        return true;
    return PathCodec::encode(name).size() <= maximumBytes;
}

QString FileName::asListed(QStringView name) {
    // Only surrogates can change on the way through the codec.
    if (std::none_of(name.begin(), name.end(), [](QChar c) { return c.isSurrogate(); }))
        return name.toString();
    return PathCodec::decode(PathCodec::encode(name));
}

QString FileName::displayText(QStringView name) {
    return PathCodec::displayText(name);
}

} // namespace quillmere
