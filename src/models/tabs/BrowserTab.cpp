#include "models/tabs/BrowserTab.h"

#include "models/paths/FilePath.h"

using namespace Qt::StringLiterals;

namespace quillmere {

BrowserTab::BrowserTab(QUuid id, std::unique_ptr<Navigator> navigator, QObject* parent)
    : QObject(parent)
    , m_id(id)
    , m_navigator(std::move(navigator)) {}

QString BrowserTab::title() const {
    const QString name = FilePath::lastComponent(m_navigator->currentPath());
    return name.isEmpty() ? u"/"_s : name;
}

} // namespace quillmere
