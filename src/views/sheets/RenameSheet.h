#pragma once

#include "models/paths/NameChecks.h"

#include <QCoroTask>
#include <QDialog>
#include <QString>

#include <memory>

class QLineEdit;

namespace quillmere {

class AppState;
class FileSystemService;
class SheetFrame;

// Gives one entry a new name. The field starts with the entry's name as the window shows
// it; confirming renames through the file-system service, lets every tab follow the new
// path and closes. A failure is shown in place and the sheet stays open with the name
// typed.
//
// A name whose bytes are not valid UTF-8 is shown with U+FFFD in their place. The field
// left at that text means "unchanged": the sheet never renames an entry to its own
// display text by accident.
class RenameSheet final : public QDialog {
    Q_OBJECT

public:
    RenameSheet(QString targetPath, AppState& appState, FileSystemService& fileSystemService,
                QWidget* parent = nullptr);
    ~RenameSheet() override;

    RenameNameCheck check() const;

private:
    void confirm();
    void updateConfirmButton();
    QCoro::Task<> rename(QString newName);

    QString m_targetPath;
    QString m_currentName;
    AppState& m_appState;
    FileSystemService& m_fileSystemService;
    std::unique_ptr<SheetFrame> m_frame;
    QLineEdit* m_field;
};

} // namespace quillmere
