#include "services/persistence/FolderSettingsJson.h"

#include "services/persistence/JsonDecodeError.h"
#include "services/persistence/StrictJson.h"

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

const QLatin1StringView columnLayoutKey("columnLayout");
const QLatin1StringView sortKeyKey("sortKey");
const QLatin1StringView sortDirectionKey("sortDirection");
const QLatin1StringView dotFilesVisibleKey("dotFilesVisible");

} // namespace

QJsonObject FolderSettingsJson::encode(const FolderSettings& settings) {
    QJsonObject object;
    if (settings.columnLayout)
        object.insert(columnLayoutKey, QString::fromLatin1(settings.columnLayout->toBase64()));
    object.insert(sortKeyKey, rawText(settings.sortKey));
    object.insert(sortDirectionKey, rawText(settings.sortDirection));
    object.insert(dotFilesVisibleKey, settings.dotFilesVisible);
    return object;
}

FolderSettings FolderSettingsJson::decode(const QJsonValue& value) {
    const QJsonObject object = StrictJson::object(value, "folder settings");
    FolderSettings settings;
    if (object.contains(columnLayoutKey))
        settings.columnLayout = StrictJson::base64(object.value(columnLayoutKey), columnLayoutKey);
    if (object.contains(sortKeyKey)) {
        const auto key = sortKeyFromRawText(StrictJson::string(object.value(sortKeyKey), sortKeyKey));
        if (!key)
            throw JsonDecodeError(u"sortKey: unknown value"_s);
        settings.sortKey = *key;
    }
    if (object.contains(sortDirectionKey)) {
        const auto direction =
            sortDirectionFromRawText(StrictJson::string(object.value(sortDirectionKey), sortDirectionKey));
        if (!direction)
            throw JsonDecodeError(u"sortDirection: unknown value"_s);
        settings.sortDirection = *direction;
    }
    if (object.contains(dotFilesVisibleKey))
        settings.dotFilesVisible = StrictJson::boolean(object.value(dotFilesVisibleKey), dotFilesVisibleKey);
    return settings;
}

QJsonObject FolderSettingsJson::encodeMap(const FolderSettingsMap& folders) {
    QJsonObject object;
    for (auto it = folders.begin(); it != folders.end(); ++it)
        object.insert(it.key(), encode(it.value()));
    return object;
}

FolderSettingsMap FolderSettingsJson::decodeMap(const QJsonValue& value) {
    const QJsonObject object = StrictJson::object(value, "folders");
    FolderSettingsMap folders;
    for (auto it = object.begin(); it != object.end(); ++it)
        folders.insert(it.key(), decode(it.value()));
    return folders;
}

} // namespace quillmere
