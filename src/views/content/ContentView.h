#pragma once

#include "models/clipboard/FileClipboard.h"
#include "models/commands/KeyCommand.h"
#include "models/navigation/Navigator.h"
#include "views/common/FileDrop.h"
#include "views/content/NoticeView.h"
#include "views/shell/WindowContext.h"

#include <QCoroTask>
#include <QPointer>
#include <QThreadPool>
#include <QWidget>

class QToolButton;

namespace quillmere {

class AddressBarView;
class FileTableView;
class KeyEventMonitor;
class ProgressStripView;
class QueuedOperation;
class ToastView;
enum class SortKey;

// The active tab's main area: address bar, tool buttons, a notice when there is news,
// the file table, and the progress strip while long file operations run. It is the one
// place a KeyCommand is carried out, whether it came from a key, the palette, a tool
// button or a context menu: dispatch() changes the Navigator or the application state,
// or opens a sheet, the folder chooser, a context menu or a toast. Failures of the
// transfer flow, and of operations whose sheet stepped aside while they ran, are shown
// in a warning alert with the operation's message.
class ContentView final : public QWidget {
    Q_OBJECT

public:
    enum class TransferMode { move, copy };

    ContentView(const WindowContext& context, QWidget* parent = nullptr);
    ~ContentView() override;

    // Follows the active tab; null while there is none.
    void setNavigator(Navigator* navigator);
    Navigator* navigator() const { return m_navigator; }
    FileTableView& table() const { return *m_table; }
    AddressBarView& addressBar() const { return *m_addressBar; }
    ProgressStripView& progressStrip() const { return *m_strip; }
    NoticeView& notice() const { return *m_notice; }

    // A notice that stays until dismissed, composed again when the language changes.
    void showNotice(NoticeView::Compose compose);

    void dispatch(const KeyCommand& command);
    // Ctrl+C / Ctrl+X: the marked entries, or the selected one, onto the desktop clipboard.
    void copyFilesToClipboard(bool cut);
    // Ctrl+V: what the clipboard holds is copied here, or moved here for a cut, through the
    // same transfer as c and m (conflict sheet, progress, undo).
    void pasteFiles();
    // Files dropped on the table, a breadcrumb or a sidebar tab: copied or moved as asked;
    // left to choose, moved within one file system and copied across, as desktops do.
    QCoro::Task<> dropFiles(QStringList sources, QString destination, FileDrop::Choice choice);
    void openInTerminal();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void retranslate();
    void updateToolButtons();
    void reloadAfter();
    void showToast(const char* key);
    void showAlert(const QString& text);
    void operationFinished(const QueuedOperation* operation);
    void openRename();
    QCoro::Task<> openBatchRename();
    void openDelete();
    void openCreate(bool folder);
    void copyPathsOf(const QString& selectedID, bool multiple);
    QCoro::Task<> runTransfer(TransferMode mode);
    QCoro::Task<> transferTo(TransferMode mode, QStringList sources, QString destination,
                             std::optional<FilesOnClipboard> cut);
    QCoro::Task<> openContextMenu();
    void showConflicts(TransferMode mode, QStringList sources, QString destination, QStringList conflicts,
                       std::optional<FilesOnClipboard> cut);
    QToolButton* addToolButton(const KeyCommand& command, const char* objectName);

    WindowContext m_context;
    QPointer<Navigator> m_navigator;
    QList<QMetaObject::Connection> m_connections;
    AddressBarView* m_addressBar;
    NoticeView* m_notice;
    FileTableView* m_table;
    ProgressStripView* m_strip;
    ToastView* m_toast;
    QList<std::pair<QToolButton*, KeyCommand>> m_toolButtons;
    KeyEventMonitor* m_keyMonitor;
    // Terminals start one at a time, off the user-interface thread: finding a terminal
    // program searches the disk.
    QThreadPool m_terminalLaunches;
};

} // namespace quillmere
