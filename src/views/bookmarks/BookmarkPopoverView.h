#pragma once

#include "models/settings/Bookmark.h"

#include <QDialog>
#include <QList>
#include <QUuid>

#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QStackedWidget;

namespace quillmere {

class AppState;
class BookmarkStore;

// The keyboard-driven list of bookmarks, shown window-modal over the main window while
// the store's showPopover is true. Typing filters by fuzzy match on the folder name and
// the full path; Up and Down move the highlight, Return opens the highlighted folder in
// a new tab, Ctrl+D removes it, and Escape clears the filter or, when it is empty,
// closes. The filter field keeps the focus throughout, so every key reaches it.
//
// Each time it is shown it starts afresh (empty filter, first bookmark highlighted) and
// drops the bookmarks whose folder is gone, asked off the user-interface thread. However
// it closes, it clears showPopover; and it closes when someone else clears it.
class BookmarkPopoverView final : public QDialog {
    Q_OBJECT

public:
    BookmarkPopoverView(BookmarkStore& bookmarkStore, AppState& appState, QWidget* parent = nullptr);
    ~BookmarkPopoverView() override;

    QString filterQuery() const;
    std::optional<QUuid> selectedID() const { return m_selectedID; }
    // The bookmarks the list shows, in the order shown.
    QList<Bookmark> filteredBookmarks() const;

    void moveSelection(int delta);
    void openSelected();
    void deleteSelected();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void retranslate();
    // Shows filteredBookmarks() again; keepSelection keeps the highlighted bookmark where
    // it is still listed, otherwise the first one is highlighted.
    void refresh(bool keepSelection);
    void select(const std::optional<QUuid>& id);
    void showContextMenu(const QPoint& position);
    // True when the key was one of the popover's own.
    bool handleKey(const QKeyEvent& key);

    BookmarkStore& m_store;
    AppState& m_appState;
    std::optional<QUuid> m_selectedID;
    QList<Bookmark> m_shown;

    QLineEdit* m_filter;
    QStackedWidget* m_pages;
    QListWidget* m_list;
    QWidget* m_empty;
    QLabel* m_emptyIcon;
    QLabel* m_emptyTitle;
    QLabel* m_emptyHint;
    QLabel* m_noMatch;
};

} // namespace quillmere
