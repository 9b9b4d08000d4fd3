#include "views/common/FileDrop.h"

#include "views/common/FileMimeData.h"

#include <QDropEvent>
#include <QPalette>
#include <QWidget>

namespace quillmere {
namespace {

const char* dropFolderProperty = "dropFolder";
const char* fillBeforeProperty = "dropFillBefore";
const char* roleBeforeProperty = "dropRoleBefore";

} // namespace

std::optional<FilesOnClipboard> FileDrop::filesIn(const QMimeData* data) {
    return FileMimeData::read(data, FileMimeData::PlainText::ignored);
}

FileDrop::Choice FileDrop::choiceFor(Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::ControlModifier))
        return Choice::copy;
    if (modifiers.testFlag(Qt::ShiftModifier))
        return Choice::move;
    return Choice::automatic;
}

FolderDropTarget::FolderDropTarget(QObject* parent)
    : QObject(parent) {}

void FolderDropTarget::watch(QWidget* widget, const QString& folder) {
    widget->setProperty(dropFolderProperty, folder);
    widget->setAcceptDrops(true);
    widget->installEventFilter(this);
}

bool FolderDropTarget::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return false;
    switch (event->type()) {
    case QEvent::DragEnter: {
        // Decoded once as the drag comes in; the moves that follow reach only a widget that
        // accepted it.
        auto* drag = static_cast<QDragEnterEvent*>(event);
        if (!FileDrop::filesIn(drag->mimeData())) {
            drag->ignore();
            return true;
        }
        drag->acceptProposedAction();
        highlight(widget, true);
        return true;
    }
    case QEvent::DragMove: static_cast<QDragMoveEvent*>(event)->acceptProposedAction(); return true;
    case QEvent::DragLeave: highlight(widget, false); return false;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        highlight(widget, false);
        const std::optional<FilesOnClipboard> files = FileDrop::filesIn(drop->mimeData());
        if (!files) {
            drop->ignore();
            return true;
        }
        const FileDrop::Choice choice = FileDrop::choiceFor(drop->modifiers());
        drop->setDropAction(choice == FileDrop::Choice::move ? Qt::MoveAction : Qt::CopyAction);
        drop->accept();
        Q_EMIT filesDropped(files->paths, widget->property(dropFolderProperty).toString(), choice);
        return true;
    }
    default: return false;
    }
}

void FolderDropTarget::highlight(QWidget* widget, bool on) {
    const bool highlighted = widget->property(roleBeforeProperty).isValid();
    if (on == highlighted)
        return;
    if (on) {
        widget->setProperty(fillBeforeProperty, widget->autoFillBackground());
        widget->setProperty(roleBeforeProperty, int(widget->backgroundRole()));
        widget->setBackgroundRole(QPalette::Highlight);
        widget->setAutoFillBackground(true);
    } else {
        widget->setBackgroundRole(QPalette::ColorRole(widget->property(roleBeforeProperty).toInt()));
        widget->setAutoFillBackground(widget->property(fillBeforeProperty).toBool());
        widget->setProperty(roleBeforeProperty, QVariant());
        widget->setProperty(fillBeforeProperty, QVariant());
    }
}

} // namespace quillmere
