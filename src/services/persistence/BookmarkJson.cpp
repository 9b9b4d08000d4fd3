#include "services/persistence/BookmarkJson.h"

#include "services/persistence/StrictJson.h"

namespace quillmere {
namespace {

using Key = QLatin1StringView;

} // namespace

QJsonObject BookmarkJson::encode(const Bookmark& bookmark) {
    QJsonObject object;
    object.insert(Key("id"), StrictJson::uuidText(bookmark.id));
    object.insert(Key("url"), StrictJson::fileUrlText(bookmark.url));
    object.insert(Key("addedAt"), StrictJson::referenceSeconds(bookmark.addedAt));
    return object;
}

Bookmark BookmarkJson::decode(const QJsonValue& value) {
    const QJsonObject object = StrictJson::object(value, "bookmark");
    Bookmark bookmark;
    bookmark.id = StrictJson::uuid(StrictJson::required(object, Key("id")), Key("id"));
    bookmark.url = StrictJson::pathFromFileUrlText(
        StrictJson::string(StrictJson::required(object, Key("url")), Key("url")), Key("url"));
    bookmark.addedAt = StrictJson::date(StrictJson::required(object, Key("addedAt")), Key("addedAt"));
    return bookmark;
}

QJsonArray BookmarkJson::encodeList(const QList<Bookmark>& bookmarks) {
    QJsonArray array;
    for (const Bookmark& bookmark : bookmarks)
        array.append(encode(bookmark));
    return array;
}

QList<Bookmark> BookmarkJson::decodeList(const QJsonValue& value) {
    QList<Bookmark> bookmarks;
    for (const QJsonValue& entry : StrictJson::array(value, Key("bookmarks")))
        bookmarks.append(decode(entry));
    return bookmarks;
}

} // namespace quillmere
