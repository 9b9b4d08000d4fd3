#pragma once

#include <QString>

namespace quillmere {

// The fixed English kind text of an entry: "Folder", a family name for common
// extensions, "File" without an extension, else the extension upper-cased.
class KindDescription final {
public:
    static QString of(QStringView name, bool isDirectory);
    // The text after the last dot; a name's leading dot does not start an extension.
    static QStringView pathExtension(QStringView name);
};

} // namespace quillmere
