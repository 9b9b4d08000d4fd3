#pragma once

#include "models/navigation/Navigator.h"
#include "views/common/FileDrop.h"
#include <QPointer>
#include <QWidget>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QScrollArea;
class QStackedLayout;

namespace quillmere {

class AppState;
class BookmarkStore;
class Clipboard;

// The strip above the table. Breadcrumb mode shows the folder as clickable segments,
// the number of marked entries and of listed entries; filter mode (the Navigator's
// isSearchActive) shows a field bound to the filter query and "shown / total". In the
// field, Up and Down move the selection, Space marks the selected entry (or types a
// space when none is selected), Return opens it, and Escape clears the query, then
// leaves filter mode. Files dropped on a breadcrumb go out through filesDropped with its
// folder as the destination.
class AddressBarView final : public QWidget {
    Q_OBJECT

public:
    AddressBarView(AppState& appState, BookmarkStore& bookmarkStore, Clipboard& clipboard,
                   QWidget* parent = nullptr);

    void setNavigator(Navigator* navigator);
    QLineEdit& filterField() const { return *m_field; }

Q_SIGNALS:
    void filesDropped(const QStringList& sources, const QString& destination, FileDrop::Choice choice);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void showMode();
    void rebuildSegments();
    void updateCounts();
    void showSegmentMenu(const QString& path, QPoint globalPosition);
    bool handleFieldKey(const class QKeyEvent& event);

    AppState& m_appState;
    BookmarkStore& m_bookmarkStore;
    Clipboard& m_clipboard;
    QPointer<Navigator> m_navigator;
    QList<QMetaObject::Connection> m_connections;
    FolderDropTarget m_dropTarget;

    QStackedLayout* m_modes;
    QScrollArea* m_breadcrumbArea;
    QWidget* m_segments;
    QHBoxLayout* m_segmentRow;
    QLabel* m_markedCount;
    QLabel* m_itemCount;
    QLabel* m_loading;
    QLineEdit* m_field;
    QLabel* m_filterCount;
};

} // namespace quillmere
