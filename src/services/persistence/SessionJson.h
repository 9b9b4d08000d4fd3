#pragma once

#include "models/tabs/Session.h"

#include <QJsonObject>

namespace quillmere {

// The stored form of the session. A tab without `id` or `currentPath` makes the
// whole record undecodable (JsonDecodeError).
namespace SessionJson {

QJsonObject encode(const Session& session);
Session decode(const QJsonValue& value);
QJsonObject encodeTab(const TabState& tab);
TabState decodeTab(const QJsonValue& value);

} // namespace SessionJson

} // namespace quillmere
