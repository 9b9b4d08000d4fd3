#pragma once

#include "models/settings/AppSettings.h"

#include <QJsonObject>

namespace quillmere {

// The stored form of the application settings: missing keys take the defaults,
// unknown enumeration texts make the record undecodable (JsonDecodeError).
class AppSettingsJson final {
public:
    static QJsonObject encode(const AppSettings& settings);
    static AppSettings decode(const QJsonValue& value);
};

} // namespace quillmere
