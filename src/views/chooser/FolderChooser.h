#pragma once

#include <QCoroTask>
#include <QList>
#include <QString>

#include <optional>

class QWidget;

namespace quillmere {

// A place the chooser offers before the user browses: another tab's folder, a
// bookmark, a mounted volume or a recently visited folder.
struct QuickDestination {
    QString label;
    QString path;
    bool operator==(const QuickDestination&) const = default;
};

struct FolderChoiceRequest {
    QString startFolder;
    QString message;
    QString confirmText;
    // Other tabs' folders first, then bookmarks, mounted volumes, then recent folders.
    QList<QuickDestination> quickDestinations;
};

// Asks the user for one destination folder, window-modal over `parent`. Nothing when
// the user cancels. Tests answer it with their own implementation.
class FolderChooser {
public:
    virtual ~FolderChooser() = default;
    virtual QCoro::Task<std::optional<QString>> chooseFolder(QWidget* parent,
                                                             FolderChoiceRequest request) = 0;
};

} // namespace quillmere
