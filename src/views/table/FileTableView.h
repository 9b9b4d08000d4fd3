#pragma once

#include "models/clipboard/FileClipboard.h"
#include "models/commands/KeyCommand.h"
#include "models/navigation/Navigator.h"
#include "views/common/FileDrop.h"

#include <QCoroTask>
#include <QPointer>
#include <QTableView>
#include <QTimer>

namespace quillmere {

class AppSettingsStore;
class Clipboard;
class FileNameDelegate;
class FileOpener;
class FileTableModel;

// The active tab's folder as a table of name, date modified, size and kind. The
// current row is the Navigator's selection both ways; marks are drawn by the name
// delegate. The column arrangement (order, widths, hidden columns) is stored per
// folder through the Navigator and follows it from folder to folder. A right-click
// opens the entry's menu; commands chosen there go out through contextMenuCommand.
// Rows drag out as files (the marked entries, or the row dragged) in the clipboard's
// formats; files dropped here (on a folder row: into that folder) go out through
// filesDropped, Ctrl asking for a copy and Shift for a move.
class FileTableView final : public QTableView {
    Q_OBJECT

public:
    FileTableView(AppSettingsStore& appSettingsStore, Clipboard& clipboard, FileOpener& fileOpener,
                  QWidget* parent = nullptr);
    ~FileTableView() override;

    void setNavigator(Navigator* navigator);
    Navigator* navigator() const { return m_navigator; }
    FileTableModel& tableModel() const { return *m_model; }

Q_SIGNALS:
    void contextMenuCommand(const KeyCommand& command);
    void filesDropped(const QStringList& sources, const QString& destination, FileDrop::Choice choice);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void applyMarkAppearance();
    void followSelection();
    void nameAfterFolder();
    void afterReset();
    void loadColumnLayout();
    void saveColumnLayout();
    void enterFolderAt(const QModelIndex& index);
    QCoro::Task<> showEntryMenu(QPoint globalPosition, std::optional<QString> id);
    // Right-click rule: an unmarked entry becomes the only marked one.
    void markOnly(const QString& id);
    void copyPaths(const QString& id);
    // The folder a drop at this point goes into: the folder row under it, or the shown folder.
    QString dropFolderAt(QPoint position) const;

    AppSettingsStore& m_appSettingsStore;
    Clipboard& m_clipboard;
    FileOpener& m_fileOpener;
    FileTableModel* m_model;
    FileNameDelegate* m_nameDelegate;
    QPointer<Navigator> m_navigator;
    QList<QMetaObject::Connection> m_connections;
    QByteArray m_defaultLayout;
    QTimer m_saveLayout;
    bool m_applying = false;
};

} // namespace quillmere
