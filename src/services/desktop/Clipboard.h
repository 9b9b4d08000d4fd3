#pragma once

#include "models/clipboard/FileClipboard.h"

#include <QString>

#include <optional>

namespace quillmere {

// The system clipboard. copy puts a text there; setFiles puts files, in the formats other
// file managers read (FileClipboard); files reads back files whoever put them there.
// Nothing is reported: a clipboard that refuses is silent.
class Clipboard {
public:
    virtual ~Clipboard() = default;

    virtual void copy(const QString& text) = 0;
    virtual void setFiles(const FilesOnClipboard& files) = 0;
    virtual std::optional<FilesOnClipboard> files() const = 0;
    // Empties the clipboard if it still holds exactly these files (a cut once moved).
    virtual void clearFiles(const FilesOnClipboard& files) = 0;
};

} // namespace quillmere
