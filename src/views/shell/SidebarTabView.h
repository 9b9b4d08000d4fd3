#pragma once

#include "views/common/FileDrop.h"

#include <QUuid>
#include <QWidget>

class QVBoxLayout;
class QToolButton;

namespace quillmere {

class AppState;

// The column of tabs: one row per tab (icon, title, a close button on the active or
// hovered row while more than one tab is open), and a button for a new tab below.
// A tab whose folder is being listed shows it in its row. Files dropped on a tab go out
// through filesDropped with its folder as the destination.
class SidebarTabView final : public QWidget {
    Q_OBJECT

public:
    static constexpr int width = 160;

    explicit SidebarTabView(AppState& appState, QWidget* parent = nullptr);

Q_SIGNALS:
    void filesDropped(const QStringList& sources, const QString& destination, FileDrop::Choice choice);

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rebuild();
    void setHoveredTab(const std::optional<QUuid>& id);

    AppState& m_appState;
    QVBoxLayout* m_rows;
    QToolButton* m_newTab;
    std::optional<QUuid> m_hoveredTabID;
    QList<QMetaObject::Connection> m_tabConnections;
    FolderDropTarget m_dropTarget;
};

} // namespace quillmere
