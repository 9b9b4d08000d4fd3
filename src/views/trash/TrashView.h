#pragma once

#include "models/commands/KeyCommand.h"
#include "models/trash/TrashedItem.h"
#include "services/desktop/FolderWatcher.h"
#include "views/shell/WindowContext.h"

#include <QCoroTask>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <cstdint>

class QLabel;
class QLineEdit;
class QTableView;

namespace quillmere {

class FileNameDelegate;
class KeyEventMonitor;
class ProgressStripView;
class TrashTableModel;

// The trash tab's content: a header with the count and size of what the trash holds, a
// filter field, the table of trashed items and the progress strip. It is listed off the
// user-interface thread whenever the tab becomes active and whenever the trash changes
// while it is shown.
//
// Return restores the marked items (or the selected one), asking about taken places on
// the conflict sheet; Delete or d deletes them for good and E empties the trash, both
// after a confirmation that names how many items and how much space. The folder tabs'
// keys sort (1 name, 2 date, 3 size, 4 original location), filter (s) and mark (Space,
// Escape); the same commands come from the palette through dispatch().
class TrashView final : public QWidget {
    Q_OBJECT

public:
    explicit TrashView(const WindowContext& context, QWidget* parent = nullptr);
    ~TrashView() override;

    // Lists the trash again; a listing that a later one overtakes is dropped.
    QCoro::Task<> reload();
    void dispatch(const KeyCommand& command);
    void restoreChosen();
    void deleteChosen();
    // Lists the trash and asks before emptying it; from the menu and the palette too.
    QCoro::Task<> confirmEmptyTrash();

    QTableView& table() const { return *m_table; }
    TrashTableModel& tableModel() const { return *m_model; }
    ProgressStripView& progressStrip() const { return *m_strip; }
    bool isLoading() const { return m_loading > 0; }

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void retranslate();
    void updateHeader();
    void applyMarkAppearance();
    void followSelection();
    void setFilterShown(bool shown);
    bool handleFilterKey(const QKeyEvent& event);
    void toggleMarkOnSelection();
    void selectRow(int row);
    std::optional<TrashedItem> selectedItem() const;
    // The marked items, or else the selected one.
    QList<TrashedItem> chosenItems() const;
    QCoro::Task<> restore(QList<TrashedItem> items);
    void confirmDelete(QList<TrashedItem> items);
    void openContextMenu(QPoint globalPosition, const std::optional<TrashedItem>& clicked);

    WindowContext m_context;
    TrashTableModel* m_model;
    QLabel* m_icon;
    QLabel* m_title;
    QLabel* m_summary;
    QLabel* m_marked;
    QLabel* m_hints;
    QWidget* m_filterRow;
    QLabel* m_searchIcon;
    QLineEdit* m_filter;
    QLabel* m_filterCount;
    QTableView* m_table;
    FileNameDelegate* m_nameDelegate;
    ProgressStripView* m_strip;
    KeyEventMonitor* m_keyMonitor;
    // The trashed path of the selected row, kept across listings and sorts.
    std::optional<QString> m_selected;
    int m_selectedRow = 0;
    bool m_applyingSelection = false;
    std::uint64_t m_listingTicket = 0;
    FolderWatcher m_watcher;
    int m_loading = 0;
};

} // namespace quillmere
