#pragma once

#include "models/navigation/Navigator.h"

#include <QObject>
#include <QUuid>

#include <memory>

namespace quillmere {

// One tab of the window: an identity that survives restarts and the Navigator that
// browses its folder. A trash tab shows the trash instead of a folder; it keeps a
// Navigator (at the home folder, never listed) so that whatever walks the tabs needs no
// special case.
class BrowserTab final : public QObject {
    Q_OBJECT

public:
    enum class Kind { folder, trash };

    BrowserTab(QUuid id, std::unique_ptr<Navigator> navigator, QObject* parent = nullptr);
    BrowserTab(QUuid id, std::unique_ptr<Navigator> navigator, Kind kind, QObject* parent = nullptr);

    const QUuid& id() const { return m_id; }
    Navigator& navigator() const { return *m_navigator; }
    Kind kind() const { return m_kind; }
    bool isTrash() const { return m_kind == Kind::trash; }
    // The folder's name, "/" for the root folder; "Trash" for a trash tab.
    QString title() const;

private:
    QUuid m_id;
    std::unique_ptr<Navigator> m_navigator;
    Kind m_kind = Kind::folder;
};

} // namespace quillmere
