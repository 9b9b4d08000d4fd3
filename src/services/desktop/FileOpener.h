#pragma once

#include <QString>

namespace quillmere {

// Opens a file in the application the desktop associates with it. Nothing is
// reported: a file that no application takes simply stays unopened.
class FileOpener {
public:
    virtual ~FileOpener() = default;

    virtual void open(const QString& path) = 0;
};

} // namespace quillmere
