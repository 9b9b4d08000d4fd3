#pragma once

#include "models/tabs/Session.h"

#include <QJsonObject>

namespace quillmere {

// The stored form of the session. A tab without `id` or `currentPath` makes the
// whole record undecodable (JsonDecodeError).
class SessionJson final {
public:
    static QJsonObject encode(const Session& session);
    static Session decode(const QJsonValue& value);
    static QJsonObject encodeTab(const TabState& tab);
    static TabState decodeTab(const QJsonValue& value);
};

} // namespace quillmere
