#include "services/persistence/SessionJson.h"

#include "services/persistence/StrictJson.h"

namespace quillmere {
namespace {

using Key = QLatin1StringView;

} // namespace

QJsonObject SessionJson::encodeTab(const TabState& tab) {
    QJsonObject object;
    object.insert(Key("id"), StrictJson::uuidText(tab.id));
    object.insert(Key("currentPath"), tab.currentPath);
    object.insert(Key("history"), QJsonArray::fromStringList(tab.history));
    object.insert(Key("historyIndex"), tab.historyIndex);
    if (tab.selectedItem)
        object.insert(Key("selectedItem"), *tab.selectedItem);
    object.insert(Key("scrollOffset"), tab.scrollOffset);
    // Folder tabs leave the key out, as they did before there were trash tabs.
    if (tab.isTrash)
        object.insert(Key("kind"), QStringLiteral("trash"));
    return object;
}

TabState SessionJson::decodeTab(const QJsonValue& value) {
    const QJsonObject object = StrictJson::object(value, "tab");
    TabState tab;
    tab.id = StrictJson::uuid(StrictJson::required(object, Key("id")), Key("id"));
    tab.currentPath =
        StrictJson::string(StrictJson::required(object, Key("currentPath")), Key("currentPath"));
    if (object.contains(Key("history")))
        for (const QJsonValue& entry : StrictJson::array(object.value(Key("history")), Key("history")))
            tab.history.append(StrictJson::string(entry, Key("history")));
    if (object.contains(Key("historyIndex")))
        tab.historyIndex = StrictJson::integer(object.value(Key("historyIndex")), Key("historyIndex"));
    if (object.contains(Key("selectedItem")))
        tab.selectedItem = StrictJson::string(object.value(Key("selectedItem")), Key("selectedItem"));
    if (object.contains(Key("scrollOffset")))
        tab.scrollOffset = StrictJson::number(object.value(Key("scrollOffset")), Key("scrollOffset"));
    // A kind this version does not know opens as the folder tab it also records.
    if (object.contains(Key("kind")))
        tab.isTrash =
            StrictJson::string(object.value(Key("kind")), Key("kind")) == QLatin1StringView("trash");
    return tab;
}

QJsonObject SessionJson::encode(const Session& session) {
    QJsonObject object;
    object.insert(Key("schemaVersion"), session.schemaVersion);
    QJsonArray tabs;
    for (const TabState& tab : session.tabs)
        tabs.append(encodeTab(tab));
    object.insert(Key("tabs"), tabs);
    object.insert(Key("activeTabIndex"), session.activeTabIndex);
    object.insert(Key("helpPanelVisible"), session.helpPanelVisible);
    return object;
}

Session SessionJson::decode(const QJsonValue& value) {
    const QJsonObject object = StrictJson::object(value, "session");
    Session session;
    session.schemaVersion = StrictJson::schemaVersion(object);
    if (object.contains(Key("tabs")))
        for (const QJsonValue& tab : StrictJson::array(object.value(Key("tabs")), Key("tabs")))
            session.tabs.append(decodeTab(tab));
    if (object.contains(Key("activeTabIndex")))
        session.activeTabIndex =
            StrictJson::integer(object.value(Key("activeTabIndex")), Key("activeTabIndex"));
    if (object.contains(Key("helpPanelVisible")))
        session.helpPanelVisible =
            StrictJson::boolean(object.value(Key("helpPanelVisible")), Key("helpPanelVisible"));
    return session;
}

} // namespace quillmere
