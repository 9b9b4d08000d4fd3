#pragma once

#include "models/settings/FolderSettings.h"

#include <QJsonObject>
#include <QMap>

namespace quillmere {

using FolderSettingsMap = QMap<QString, FolderSettings>;

// The stored form of folder settings: missing keys take the defaults, unknown sort
// texts make the record undecodable (JsonDecodeError).
namespace FolderSettingsJson {

QJsonObject encode(const FolderSettings& settings);
FolderSettings decode(const QJsonValue& value);
QJsonObject encodeMap(const FolderSettingsMap& folders);
FolderSettingsMap decodeMap(const QJsonValue& value);

} // namespace FolderSettingsJson

} // namespace quillmere
