#pragma once

#include "models/settings/FolderSettings.h"

#include <QJsonObject>
#include <QMap>

namespace quillmere {

using FolderSettingsMap = QMap<QString, FolderSettings>;

// The stored form of folder settings: missing keys take the defaults, unknown sort
// texts make the record undecodable (JsonDecodeError).
class FolderSettingsJson final {
public:
    static QJsonObject encode(const FolderSettings& settings);
    static FolderSettings decode(const QJsonValue& value);
    static QJsonObject encodeMap(const FolderSettingsMap& folders);
    static FolderSettingsMap decodeMap(const QJsonValue& value);
};

} // namespace quillmere
