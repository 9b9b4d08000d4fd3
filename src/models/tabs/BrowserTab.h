#pragma once

#include "models/navigation/Navigator.h"

#include <QObject>
#include <QUuid>

#include <memory>

namespace quillmere {

// One tab of the window: an identity that survives restarts and the Navigator that
// browses its folder.
class BrowserTab final : public QObject {
    Q_OBJECT

public:
    BrowserTab(QUuid id, std::unique_ptr<Navigator> navigator, QObject* parent = nullptr);

    const QUuid& id() const { return m_id; }
    Navigator& navigator() const { return *m_navigator; }
    // The folder's name; "/" for the root folder.
    QString title() const;

private:
    QUuid m_id;
    std::unique_ptr<Navigator> m_navigator;
};

} // namespace quillmere
