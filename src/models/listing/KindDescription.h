#pragma once

#include <QString>

namespace quillmere {

// The fixed English kind text of an entry: "Folder", a family name for common
// extensions, "File" without an extension, else the extension upper-cased.
namespace KindDescription {

QString of(QStringView name, bool isDirectory);
// The text after the last dot; a name's leading dot does not start an extension.
QStringView pathExtension(QStringView name);

} // namespace KindDescription

} // namespace quillmere
