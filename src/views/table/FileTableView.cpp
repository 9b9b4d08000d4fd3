#include "views/table/FileTableView.h"

#include "models/navigation/Navigator.h"
#include "models/paths/FileName.h"
#include "models/paths/FilePath.h"
#include "models/settings/AppSettings.h"
#include "services/desktop/Clipboard.h"
#include "services/persistence/AppSettingsStore.h"
#include "views/common/FileMimeData.h"
#include "views/table/FileNameDelegate.h"
#include "views/table/FileTableModel.h"
#include "views/table/OpenWithMenu.h"

#include <QContextMenuEvent>
#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QScrollBar>

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

struct ColumnWidths {
    int minimum;
    int ideal;
};
constexpr ColumnWidths widths[FileTableModel::columns] = {{200, 320}, {140, 180}, {60, 90}, {80, 120}};

} // namespace

FileTableView::FileTableView(AppSettingsStore& appSettingsStore, Clipboard& clipboard, FileOpener& fileOpener,
                             QWidget* parent)
    : QTableView(parent)
    , m_appSettingsStore(appSettingsStore)
    , m_clipboard(clipboard)
    , m_fileOpener(fileOpener)
    , m_model(new FileTableModel(this))
    , m_nameDelegate(new FileNameDelegate(this)) {
    setObjectName(u"fileTable"_s);
    setModel(m_model);
    setItemDelegateForColumn(FileTableModel::name, m_nameDelegate);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setAlternatingRowColors(true);
    setTabKeyNavigation(false);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    // One height for every row, so a million rows cost nothing to lay out.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    QHeaderView* header = horizontalHeader();
    header->setSectionsMovable(true);
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    header->setMinimumSectionSize(widths[FileTableModel::size].minimum);
    header->setStretchLastSection(true);
    for (int column = 0; column < FileTableModel::columns; ++column)
        header->resizeSection(column, widths[column].ideal);
    m_defaultLayout = header->saveState();

    m_saveLayout.setSingleShot(true);
    m_saveLayout.setInterval(0);
    connect(&m_saveLayout, &QTimer::timeout, this, &FileTableView::saveColumnLayout);
    const auto layoutChanged = [this] {
        if (m_applying)
            return;
        // Sections below their minimum width are widened back before the layout is kept.
        QHeaderView* sections = horizontalHeader();
        for (int column = 0; column < FileTableModel::columns; ++column) {
            if (!sections->isSectionHidden(column) &&
                sections->sectionSize(column) < widths[column].minimum &&
                column != sections->logicalIndex(sections->count() - 1))
                sections->resizeSection(column, widths[column].minimum);
        }
        m_saveLayout.start();
    };
    connect(header, &QHeaderView::sectionResized, this, layoutChanged);
    connect(header, &QHeaderView::sectionMoved, this, layoutChanged);

    connect(this, &QAbstractItemView::doubleClicked, this, &FileTableView::enterFolderAt);
    connect(m_model, &QAbstractItemModel::modelReset, this, &FileTableView::afterReset);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (!m_applying && m_navigator)
            m_navigator->setScrollOffset(value);
    });
    connect(&m_appSettingsStore, &AppSettingsStore::settingsChanged, this,
            &FileTableView::applyMarkAppearance);
    applyMarkAppearance();
}

FileTableView::~FileTableView() = default;

void FileTableView::applyMarkAppearance() {
    const AppSettings& settings = m_appSettingsStore.settings();
    QColor color = palette().color(QPalette::Active, QPalette::Highlight);
    if (settings.markColorHex()) {
        if (const std::optional<RgbColor> rgb = AppSettings::markColor(*settings.markColorHex()))
            color = QColor(rgb->red, rgb->green, rgb->blue);
    }
    m_nameDelegate->setMark(settings.markGlyph(), color);
    viewport()->update();
}

void FileTableView::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        applyMarkAppearance();
}

void FileTableView::setNavigator(Navigator* navigator) {
    for (const QMetaObject::Connection& connection : std::as_const(m_connections))
        disconnect(connection);
    m_connections.clear();
    m_navigator = navigator;
    m_model->setNavigator(navigator);
    if (!navigator)
        return;
    m_connections = {
        connect(navigator, &Navigator::selectedItemIDChanged, this, &FileTableView::followSelection),
        connect(navigator, &Navigator::currentPathChanged, this, &FileTableView::loadColumnLayout),
        connect(navigator, &Navigator::currentPathChanged, this, &FileTableView::nameAfterFolder),
        connect(navigator, &Navigator::effectiveSettingsChanged, this, &FileTableView::loadColumnLayout),
    };
    loadColumnLayout();
    nameAfterFolder();
}

void FileTableView::nameAfterFolder() {
    // A screen reader announces the table by the folder it shows.
    if (m_navigator)
        setAccessibleName(FileName::displayText(FilePath::lastComponent(m_navigator->currentPath())));
}

void FileTableView::afterReset() {
    // A reset puts the scroll bar at the top; the Navigator remembers where the user was.
    m_applying = true;
    followSelection();
    if (m_navigator)
        verticalScrollBar()->setValue(int(m_navigator->scrollOffset()));
    m_applying = false;
}

void FileTableView::followSelection() {
    if (!m_navigator)
        return;
    const std::optional<QString>& id = m_navigator->selectedItemID();
    const std::optional<qsizetype> row = id ? m_navigator->visibleRowOf(*id) : std::nullopt;
    const QModelIndex wanted = row ? m_model->index(int(*row), FileTableModel::name) : QModelIndex();
    if (wanted.row() == currentIndex().row() && wanted.isValid() == currentIndex().isValid())
        return;
    const bool applying = m_applying;
    m_applying = true;
    if (wanted.isValid()) {
        selectionModel()->setCurrentIndex(wanted,
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(wanted);
    } else {
        selectionModel()->clear();
    }
    m_applying = applying;
}

void FileTableView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (m_applying || !m_navigator)
        return;
    if (current.isValid())
        m_navigator->setSelectedItemID(m_navigator->visibleItemAt(current.row()).id);
}

void FileTableView::loadColumnLayout() {
    if (!m_navigator)
        return;
    const std::optional<QByteArray> stored = m_navigator->effectiveSettings().columnLayout;
    QHeaderView* header = horizontalHeader();
    const QByteArray current = header->saveState();
    const QByteArray wanted = stored ? *stored : m_defaultLayout;
    if (wanted == current)
        return;
    m_applying = true;
    // A stored arrangement that does not read back leaves the default one.
    if (!header->restoreState(wanted))
        header->restoreState(m_defaultLayout);
    m_applying = false;
}

void FileTableView::saveColumnLayout() {
    if (!m_navigator)
        return;
    const QByteArray layout = horizontalHeader()->saveState();
    const std::optional<QByteArray> stored = m_navigator->effectiveSettings().columnLayout;
    if (stored ? *stored == layout : layout == m_defaultLayout)
        return;
    m_navigator->setColumnLayout(layout);
}

void FileTableView::enterFolderAt(const QModelIndex& index) {
    if (!m_navigator || !index.isValid())
        return;
    const QString id = m_navigator->visibleItemAt(index.row()).id;
    const FileItem* item = m_navigator->itemWithID(id);
    if (!item || !(item->isDirectory || item->isLinkToFolder))
        return;
    m_navigator->navigate(item->url);
    [[maybe_unused]] auto reloading = m_navigator->reload();
}

void FileTableView::startDrag(Qt::DropActions) {
    if (!m_navigator)
        return;
    QStringList paths;
    for (const FileItem& item : m_navigator->markedItems())
        paths.append(item.url);
    if (paths.isEmpty() && currentIndex().isValid())
        paths.append(m_navigator->visibleItemAt(currentIndex().row()).url);
    if (paths.isEmpty())
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(FileMimeData::make({paths, false})); // the drag takes ownership
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
}

QString FileTableView::dropFolderAt(QPoint position) const {
    const QModelIndex index = indexAt(position);
    if (m_navigator && index.isValid()) {
        const FileItem& item = m_navigator->visibleItemAt(index.row());
        if (item.isDirectory || item.isLinkToFolder)
            return item.url;
    }
    return m_navigator ? m_navigator->currentPath() : QString();
}

void FileTableView::dragEnterEvent(QDragEnterEvent* event) {
    if (m_navigator && FileDrop::filesIn(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void FileTableView::dragMoveEvent(QDragMoveEvent* event) {
    // Only a drag whose entry was accepted moves on here: its files were decoded then.
    if (m_navigator)
        event->acceptProposedAction();
    else
        event->ignore();
}

void FileTableView::dropEvent(QDropEvent* event) {
    const std::optional<FilesOnClipboard> files = FileDrop::filesIn(event->mimeData());
    if (!m_navigator || !files) {
        event->ignore();
        return;
    }
    const FileDrop::Choice choice = FileDrop::choiceFor(event->modifiers());
    event->setDropAction(choice == FileDrop::Choice::move ? Qt::MoveAction : Qt::CopyAction);
    event->accept();
    Q_EMIT filesDropped(files->paths, dropFolderAt(event->position().toPoint()), choice);
}

void FileTableView::contextMenuEvent(QContextMenuEvent* event) {
    if (!m_navigator)
        return;
    const QModelIndex index = indexAt(viewport()->mapFromGlobal(event->globalPos()));
    std::optional<QString> id;
    if (index.isValid())
        id = m_navigator->visibleItemAt(index.row()).id;
    showEntryMenu(event->globalPos(), id);
}

void FileTableView::markOnly(const QString& id) {
    if (m_navigator && !m_navigator->markedItemIDs().contains(id)) {
        m_navigator->clearMarks();
        m_navigator->toggleMark(id);
    }
}

void FileTableView::copyPaths(const QString& id) {
    markOnly(id);
    QStringList paths;
    for (const FileItem& item : m_navigator->markedItems())
        paths.append(item.url);
    m_clipboard.copy(paths.join(u'\n'));
}

QCoro::Task<> FileTableView::showEntryMenu(QPoint globalPosition, std::optional<QString> id) {
    const QPointer<FileTableView> self(this);
    const FileItem* found = id ? m_navigator->itemWithID(*id) : nullptr;
    const std::optional<FileItem> entry = found ? std::optional<FileItem>(*found) : std::nullopt;
    if (id && !entry)
        co_return;
    QList<FileOpener::Application> applications;
    // Folders, and links to them, are entered rather than opened.
    const bool isFile = entry && !entry->isDirectory && !entry->isLinkToFolder;
    if (isFile)
        applications = co_await OpenWithMenu::lookUp(m_fileOpener, entry->url);
    if (!self || !m_navigator)
        co_return;

    QMenu menu(this);
    menu.setObjectName(u"fileTable.menu"_s);
    menu.addAction(qtTrId("新規ファイル"), this,
                   [this] { Q_EMIT contextMenuCommand(KeyCommand::Case::createFile); });
    menu.addAction(qtTrId("新規フォルダ"), this,
                   [this] { Q_EMIT contextMenuCommand(KeyCommand::Case::createFolder); });
    if (entry) {
        const QString entryID = entry->id;
        menu.addSeparator();
        if (isFile)
            OpenWithMenu::add(menu, m_fileOpener, entry->url, applications);
        menu.addSeparator(); // collapses into the one above when there is no submenu
        menu.addAction(qtTrId("パスをコピー"), this, [this, entryID] { copyPaths(entryID); });
        menu.addSeparator();
        menu.addAction(qtTrId("リネーム"), this, [this, entryID] {
            markOnly(entryID);
            m_navigator->setSelectedItemID(entryID);
            Q_EMIT contextMenuCommand(KeyCommand::Case::renameSelection);
        });
        const auto markedCommand = [this, entryID](KeyCommand::Case command) {
            return [this, entryID, command] {
                markOnly(entryID);
                Q_EMIT contextMenuCommand(command);
            };
        };
        menu.addAction(qtTrId("移動"), this, markedCommand(KeyCommand::Case::moveMarked));
        menu.addAction(qtTrId("コピー"), this, markedCommand(KeyCommand::Case::copyMarked));
        menu.addSeparator();
        menu.addAction(qtTrId("ゴミ箱に移動"), this, markedCommand(KeyCommand::Case::deleteMarked));
    }
    menu.exec(globalPosition);
}

} // namespace quillmere
