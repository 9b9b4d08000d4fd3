#pragma once

#include "models/settings/Bookmark.h"

#include <QJsonObject>
#include <QList>

namespace quillmere {

// The stored form of bookmarks: every field is required.
class BookmarkJson final {
public:
    static QJsonObject encode(const Bookmark& bookmark);
    static Bookmark decode(const QJsonValue& value);
    static QJsonArray encodeList(const QList<Bookmark>& bookmarks);
    static QList<Bookmark> decodeList(const QJsonValue& value);
};

} // namespace quillmere
