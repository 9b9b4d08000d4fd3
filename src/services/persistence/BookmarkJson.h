#pragma once

#include "models/settings/Bookmark.h"

#include <QJsonObject>
#include <QList>

namespace quillmere {

// The stored form of bookmarks: every field is required.
namespace BookmarkJson {

QJsonObject encode(const Bookmark& bookmark);
Bookmark decode(const QJsonValue& value);
QJsonArray encodeList(const QList<Bookmark>& bookmarks);
QList<Bookmark> decodeList(const QJsonValue& value);

} // namespace BookmarkJson

} // namespace quillmere
