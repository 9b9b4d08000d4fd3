#include "DefaultClipboard.h"

#include "models/paths/FileName.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace quillmere {

void DefaultClipboard::copy(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    clipboard->clear(QClipboard::Clipboard);
    // A path's escaped bytes are lone surrogates, which no other program can read;
    // they go out as U+FFFD, as the views show them.
    auto data = new QMimeData; // the clipboard takes ownership
    data->setText(FileName::displayText(text));
    clipboard->setMimeData(data, QClipboard::Clipboard);
}

void DefaultClipboard::setFiles(const FilesOnClipboard& files) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    auto data = new QMimeData; // the clipboard takes ownership
    const QMap<QString, QByteArray> formats = FileClipboard::encode(files);
    for (auto format = formats.constBegin(); format != formats.constEnd(); ++format)
        data->setData(format.key(), format.value());
    clipboard->setMimeData(data, QClipboard::Clipboard);
}

std::optional<FilesOnClipboard> DefaultClipboard::files() const {
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData(QClipboard::Clipboard) : nullptr;
    if (!data)
        return std::nullopt;
    QMap<QString, QByteArray> formats;
    for (const char* type : {FileClipboard::gnomeType, FileClipboard::uriListType, FileClipboard::kdeCutType,
                             FileClipboard::plainTextType}) {
        const QString name = QString::fromLatin1(type);
        if (data->hasFormat(name))
            formats.insert(name, data->data(name));
    }
    return FileClipboard::decode(formats);
}

void DefaultClipboard::clearFiles(const FilesOnClipboard& files) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard && this->files() == files)
        clipboard->clear(QClipboard::Clipboard);
}

} // namespace quillmere
