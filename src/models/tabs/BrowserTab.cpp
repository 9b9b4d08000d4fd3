#include "models/tabs/BrowserTab.h"

#include "models/paths/FilePath.h"

using namespace Qt::StringLiterals;

namespace quillmere {

BrowserTab::BrowserTab(QUuid id, std::unique_ptr<Navigator> navigator, QObject* parent)
    : QObject(parent)
    , m_id(id)
    , m_navigator(std::move(navigator)) {}

BrowserTab::BrowserTab(QUuid id, std::unique_ptr<Navigator> navigator, Kind kind, QObject* parent)
    : QObject(parent)
    , m_id(id)
    , m_navigator(std::move(navigator))
    , m_kind(kind) {}

QString BrowserTab::title() const {
    if (m_kind == Kind::trash)
        return qtTrId("trash.tabTitle");
    const QString name = FilePath::lastComponent(m_navigator->currentPath());
    return name.isEmpty() ? u"/"_s : name;
}

} // namespace quillmere
