#include "views/common/FileMimeData.h"

#include <QList>
#include <QMimeData>

namespace quillmere {

QMimeData* FileMimeData::make(const FilesOnClipboard& files) {
    auto* data = new QMimeData;
    const QMap<QString, QByteArray> formats = FileClipboard::encode(files);
    for (auto format = formats.constBegin(); format != formats.constEnd(); ++format)
        data->setData(format.key(), format.value());
    return data;
}

std::optional<FilesOnClipboard> FileMimeData::read(const QMimeData* data, PlainText plainText) {
    if (!data)
        return std::nullopt;
    QList<const char*> types{FileClipboard::gnomeType, FileClipboard::uriListType, FileClipboard::kdeCutType};
    if (plainText == PlainText::accepted)
        types.append(FileClipboard::plainTextType);
    QMap<QString, QByteArray> formats;
    for (const char* type : std::as_const(types)) {
        const QString name = QString::fromLatin1(type);
        if (data->hasFormat(name))
            formats.insert(name, data->data(name));
    }
    return FileClipboard::decode(formats);
}

} // namespace quillmere
