#pragma once

#include "services/desktop/FileOpener.h"

#include <QStringList>

namespace quillmere::test {

// Remembers the files it was asked to open, in order.
class FakeFileOpener final : public FileOpener {
public:
    QStringList opened;
    // Files no application takes: opening one reports that, as the desktop's opener would.
    QStringList unopenable;

    void open(const QString& path) override {
        if (unopenable.contains(path))
            Q_EMIT openFailed(path, Failure::noApplication, {});
        else
            opened.append(path);
    }
};

} // namespace quillmere::test
