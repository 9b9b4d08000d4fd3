#pragma once

#include "services/desktop/FileOpener.h"

#include <QStringList>

namespace quillmere::test {

// Remembers the files it was asked to open, in order.
class FakeFileOpener final : public FileOpener {
public:
    QStringList opened;

    void open(const QString& path) override { opened.append(path); }
};

} // namespace quillmere::test
