#pragma once

#include "views/chooser/FolderChooser.h"

namespace quillmere {

class FileSystemService;

// Asks through a FolderChooserDialog, window-modal over the parent's window, and waits
// without blocking the event loop. Nothing when the user cancels, or when the parent
// or its window goes away before the user has answered.
class DefaultFolderChooser final : public FolderChooser {
public:
    explicit DefaultFolderChooser(FileSystemService& fileSystem);

    QCoro::Task<std::optional<QString>> chooseFolder(QWidget* parent, FolderChoiceRequest request) override;

private:
    FileSystemService& m_fileSystem;
};

} // namespace quillmere
