#pragma once

#include "models/clipboard/FileClipboard.h"

#include <optional>

class QMimeData;

namespace quillmere {

// Files as Qt's MIME data, in the formats of the desktop clipboard, for the clipboard
// itself and for drag and drop.
namespace FileMimeData {

// Every format at once; the caller (a clipboard, a drag) takes ownership.
QMimeData* make(const FilesOnClipboard& files);

// Whether a plain text of paths counts as files. A text dragged out of an editor is
// not a file, so drops leave it out; the clipboard takes it.
enum class PlainText { ignored, accepted };
std::optional<FilesOnClipboard> read(const QMimeData* data, PlainText plainText);

} // namespace FileMimeData

} // namespace quillmere
