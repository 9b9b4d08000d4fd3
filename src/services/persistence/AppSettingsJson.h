#pragma once

#include "models/settings/AppSettings.h"

#include <QJsonObject>

namespace quillmere {

// The stored form of the application settings: missing keys take the defaults,
// unknown enumeration texts make the record undecodable (JsonDecodeError).
namespace AppSettingsJson {

QJsonObject encode(const AppSettings& settings);
AppSettings decode(const QJsonValue& value);

} // namespace AppSettingsJson

} // namespace quillmere
