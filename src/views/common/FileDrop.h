#pragma once

#include "models/clipboard/FileClipboard.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class QMimeData;
class QWidget;

namespace quillmere {

// Files dragged in from another program or another tab, in the formats the clipboard uses.
namespace FileDrop {

// What the user asked for with the modifiers: Ctrl copies, Shift moves; otherwise the
// drop moves within one file system and copies across.
enum class Choice { automatic, copy, move };

std::optional<FilesOnClipboard> filesIn(const QMimeData* data);
Choice choiceFor(Qt::KeyboardModifiers modifiers);

} // namespace FileDrop

// Makes widgets that stand for a folder (a sidebar tab, a breadcrumb) take files dropped
// on them. The widget under the drag is highlighted; a drop goes out through filesDropped
// with that folder as the destination.
class FolderDropTarget final : public QObject {
    Q_OBJECT

public:
    explicit FolderDropTarget(QObject* parent = nullptr);

    void watch(QWidget* widget, const QString& folder);

Q_SIGNALS:
    void filesDropped(const QStringList& sources, const QString& destination, FileDrop::Choice choice);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void highlight(QWidget* widget, bool on);
};

} // namespace quillmere
