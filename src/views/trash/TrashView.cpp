#include "views/trash/TrashView.h"

#include "models/operations/OperationTurn.h"
#include "models/settings/AppSettings.h"
#include "models/tabs/AppState.h"
#include "models/trash/TrashActions.h"
#include "services/filesystem/FileSystemService.h"
#include "services/persistence/AppSettingsStore.h"
#include "views/common/Alert.h"
#include "views/common/SystemIcon.h"
#include "views/content/ProgressStripView.h"
#include "views/keyboard/KeyEventMonitor.h"
#include "views/sheets/ConflictResolutionSheet.h"
#include "views/sheets/TrashConfirmSheet.h"
#include "views/table/FileNameDelegate.h"
#include "views/table/FileTableModel.h"
#include "views/trash/TrashTableModel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

constexpr int idealWidths[TrashTableModel::columns] = {240, 240, 150, 90};

QFont captionFont(const QFont& base) {
    QFont font = base;
    font.setPointSizeF(base.pointSizeF() * 0.9);
    return font;
}

// Free functions, not lambdas: a sheet may drop its action while the operation runs, and
// a coroutine's captures die with the lambda. Each answers with the failure's message.
QCoro::Task<std::optional<QString>> restoreItems(AppState& appState, FileSystemService& fileSystem,
                                                 QList<TrashedItem> items,
                                                 QList<ConflictResolution> resolutions,
                                                 QueuedOperationObserver observer) {
    TrashActions actions(appState, fileSystem);
    try {
        co_await actions.restore(items, resolutions, observer);
    } catch (const std::exception&) {
        co_return OperationTurn::failureText();
    }
    co_return std::nullopt;
}

QCoro::Task<std::optional<QString>> deleteItems(AppState& appState, FileSystemService& fileSystem,
                                                QList<TrashedItem> items, QueuedOperationObserver observer) {
    TrashActions actions(appState, fileSystem);
    try {
        co_await actions.deleteForGood(items, observer);
    } catch (const std::exception&) {
        co_return OperationTurn::failureText();
    }
    co_return std::nullopt;
}

QCoro::Task<std::optional<QString>> emptyEveryTrash(AppState& appState, FileSystemService& fileSystem,
                                                    QueuedOperationObserver observer) {
    TrashActions actions(appState, fileSystem);
    try {
        co_await actions.emptyTrash(observer);
    } catch (const std::exception&) {
        co_return OperationTurn::failureText();
    }
    co_return std::nullopt;
}

// "Delete 3 items (12.4 MB) for good?": the size is left out when none is known.
QString confirmation(const char* withSize, const char* withoutSize, const QList<TrashedItem>& items) {
    const std::optional<std::int64_t> total = TrashTableModel::totalSize(items);
    if (!total)
        return qtTrId(withoutSize, int(items.size()));
    return qtTrId(withSize, int(items.size())).arg(FileTableModel::sizeText(total));
}

} // namespace

TrashView::TrashView(const WindowContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
    , m_model(new TrashTableModel(this)) {
    setObjectName(u"trashView"_s);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* header = new QWidget(this);
    header->setObjectName(u"trashView.header"_s);
    auto* headerColumn = new QVBoxLayout(header);
    headerColumn->setContentsMargins(12, 8, 12, 6);
    headerColumn->setSpacing(2);
    auto* titleRow = new QHBoxLayout;
    titleRow->setSpacing(8);
    m_icon = new QLabel(header);
    auto* icon = m_icon;
    icon->setPixmap(SystemIcon::icon(SystemIcon::Symbol::trash).pixmap(16, 16));
    titleRow->addWidget(icon);
    m_title = new QLabel(header);
    m_title->setObjectName(u"trashView.title"_s);
    QFont bold = m_title->font();
    bold.setWeight(QFont::DemiBold);
    m_title->setFont(bold);
    titleRow->addWidget(m_title);
    m_summary = new QLabel(header);
    m_summary->setObjectName(u"trashView.summary"_s);
    m_summary->setFont(captionFont(font()));
    m_summary->setForegroundRole(QPalette::PlaceholderText);
    titleRow->addWidget(m_summary);
    titleRow->addStretch(1);
    m_marked = new QLabel(header);
    m_marked->setObjectName(u"trashView.markedCount"_s);
    m_marked->setFont(captionFont(font()));
    m_marked->setForegroundRole(QPalette::Highlight);
    titleRow->addWidget(m_marked);
    headerColumn->addLayout(titleRow);
    m_hints = new QLabel(header);
    m_hints->setObjectName(u"trashView.hints"_s);
    m_hints->setFont(captionFont(font()));
    m_hints->setForegroundRole(QPalette::PlaceholderText);
    m_hints->setWordWrap(true);
    headerColumn->addWidget(m_hints);
    column->addWidget(header);

    m_filterRow = new QWidget(this);
    auto* filterLine = new QHBoxLayout(m_filterRow);
    filterLine->setContentsMargins(12, 4, 12, 4);
    filterLine->setSpacing(4);
    m_searchIcon = new QLabel(m_filterRow);
    auto* searchIcon = m_searchIcon;
    searchIcon->setPixmap(SystemIcon::icon(SystemIcon::Symbol::search).pixmap(14, 14));
    filterLine->addWidget(searchIcon);
    m_filter = new QLineEdit(m_filterRow);
    m_filter->setObjectName(u"trashView.filter"_s);
    m_filter->installEventFilter(this);
    filterLine->addWidget(m_filter, 1);
    m_filterCount = new QLabel(m_filterRow);
    m_filterCount->setObjectName(u"trashView.filterCount"_s);
    m_filterCount->setFont(captionFont(font()));
    m_filterCount->setForegroundRole(QPalette::PlaceholderText);
    filterLine->addWidget(m_filterCount);
    m_filterRow->hide();
    column->addWidget(m_filterRow);
    connect(m_filter, &QLineEdit::textEdited, m_model, &TrashTableModel::setFilterQuery);

    // The folder table's look: the same row height, mark and name cell.
    m_table = new QTableView(this);
    m_table->setObjectName(u"trashView.table"_s);
    m_table->setModel(m_model);
    m_nameDelegate = new FileNameDelegate(this);
    m_nameDelegate->setShowsChevron(false);
    m_table->setItemDelegateForColumn(TrashTableModel::name, m_nameDelegate);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setShowGrid(false);
    m_table->setWordWrap(false);
    m_table->setAlternatingRowColors(true);
    m_table->setTabKeyNavigation(false);
    m_table->setTextElideMode(Qt::ElideMiddle);
    m_table->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    m_table->installEventFilter(this);
    QHeaderView* sections = m_table->horizontalHeader();
    sections->setHighlightSections(false);
    sections->setSectionsClickable(true);
    sections->setSortIndicatorShown(true);
    // The original location takes what the other columns leave, so the size stays in view.
    sections->setStretchLastSection(false);
    for (int section = 0; section < TrashTableModel::columns; ++section)
        sections->resizeSection(section, idealWidths[section]);
    sections->setSectionResizeMode(TrashTableModel::originalLocation, QHeaderView::Stretch);
    column->addWidget(m_table, 1);

    m_strip = new ProgressStripView(context.appState.operationQueue(), this);
    m_strip->setObjectName(u"trashView.progressStrip"_s);
    column->addWidget(m_strip);

    connect(sections, &QHeaderView::sectionClicked, this,
            [this](int section) { m_model->sortBy(TrashTableModel::keyOfColumn(section)); });
    const auto showSort = [this] {
        m_table->horizontalHeader()->setSortIndicator(
            TrashTableModel::columnOfKey(m_model->sortKey()),
            m_model->sortDirection() == SortDirection::ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    };
    connect(m_model, &TrashTableModel::sortChanged, this, showSort);
    showSort();
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        followSelection();
        updateHeader();
    });
    connect(m_model, &TrashTableModel::marksChanged, this, &TrashView::updateHeader);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (m_applyingSelection || !current.isValid())
                    return;
                m_selected = m_model->visibleItemAt(current.row()).trashedPath;
                m_selectedRow = current.row();
            });
    connect(m_table, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        const QModelIndex index = m_table->indexAt(at);
        std::optional<TrashedItem> clicked;
        if (index.isValid()) {
            selectRow(index.row());
            clicked = m_model->visibleItemAt(index.row());
        }
        openContextMenu(m_table->viewport()->mapToGlobal(at), clicked);
    });
    connect(m_strip, &ProgressStripView::hidFocused, this,
            [this] { m_table->setFocus(Qt::OtherFocusReason); });
    connect(&context.appState, &AppState::trashChanged, this, [this] {
        if (isVisible()) [[maybe_unused]]
            auto listing = reload();
    });
    connect(&context.appSettingsStore, &AppSettingsStore::settingsChanged, this,
            &TrashView::applyMarkAppearance);
    applyMarkAppearance();

    m_keyMonitor = new KeyEventMonitor(
        *this, [this](const KeyCommand& command) { dispatch(command); },
        [this] { return !m_model->marks().isEmpty(); }, this);
    m_keyMonitor->leaveKeysTo(*m_strip);
    retranslate();
}

TrashView::~TrashView() = default;

void TrashView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    else if (event->type() == QEvent::PaletteChange)
        applyMarkAppearance();
}

void TrashView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Items other programs trash, restore or delete show while the trash is in sight.
    m_watcher.watch(m_context.fileSystemService.homeTrashRecordFolder(), [this] { return reload(); });
    // A window that starts on the trash tab has nothing focused yet.
    if (!window()->focusWidget())
        m_table->setFocus(Qt::OtherFocusReason);
}

void TrashView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    m_watcher.stop();
}

void TrashView::retranslate() {
    const QString title = qtTrId("trash.tabTitle");
    m_title->setText(title);
    m_icon->setAccessibleName(title);
    m_table->setAccessibleName(title);
    m_hints->setText(qtTrId("trash.hints"));
    m_hints->setAccessibleName(m_hints->text());
    m_filter->setPlaceholderText(qtTrId("addressbar.filterPlaceholder"));
    m_filter->setAccessibleName(m_filter->placeholderText());
    m_searchIcon->setAccessibleName(m_filter->placeholderText());
    updateHeader();
}

void TrashView::applyMarkAppearance() {
    const AppSettings& settings = m_context.appSettingsStore.settings();
    QColor color = palette().color(QPalette::Active, QPalette::Highlight);
    if (settings.markColorHex()) {
        if (const std::optional<RgbColor> rgb = AppSettings::markColor(*settings.markColorHex()))
            color = QColor(rgb->red, rgb->green, rgb->blue);
    }
    m_nameDelegate->setMark(settings.markGlyph(), color);
    m_table->viewport()->update();
}

void TrashView::updateHeader() {
    const QList<TrashedItem>& items = m_model->items();
    QString summary;
    if (isLoading() && items.isEmpty())
        summary = qtTrId("addressbar.loading");
    else if (items.isEmpty())
        summary = qtTrId("trash.summary.empty");
    else
        summary = confirmation(QT_TRID_NOOP("trash.summary"), QT_TRID_NOOP("trash.summary.noSize"), items);
    m_summary->setText(summary);
    m_summary->setAccessibleName(summary);
    const qsizetype marked = m_model->marks().size();
    m_marked->setVisible(marked > 0);
    if (marked > 0) {
        m_marked->setText(qtTrId("addressbar.markedCount", int(marked)));
        m_marked->setAccessibleName(m_marked->text());
    }
    m_filterCount->setText(qtTrId("%lld / %lld").arg(m_model->visibleCount()).arg(items.size()));
    m_filterCount->setAccessibleName(m_filterCount->text());
}

QCoro::Task<> TrashView::reload() {
    const QPointer<TrashView> self(this);
    FileSystemService& fileSystem = m_context.fileSystemService;
    const std::uint64_t ticket = ++m_listingTicket;
    ++m_loading;
    updateHeader();
    auto listing = fileSystem.listTrash();
    const std::vector<TrashedItem> items = co_await listing;
    if (!self)
        co_return;
    --m_loading;
    if (ticket == m_listingTicket)
        m_model->setItems(QList<TrashedItem>(items.begin(), items.end()));
    updateHeader();
}

void TrashView::selectRow(int row) {
    if (row < 0 || row >= m_model->rowCount())
        return;
    const QModelIndex index = m_model->index(row, TrashTableModel::name);
    m_table->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                          QItemSelectionModel::Rows);
    m_table->scrollTo(index);
}

void TrashView::followSelection() {
    // A listing or a sort keeps the selected item; one that is gone leaves the selection
    // on the row where it was.
    const int rows = m_model->rowCount();
    if (rows == 0)
        return;
    int row = std::clamp(m_selectedRow, 0, rows - 1);
    if (m_selected)
        if (const std::optional<int> found = m_model->rowOf(*m_selected))
            row = *found;
    m_applyingSelection = true;
    selectRow(row);
    m_applyingSelection = false;
    m_selected = m_model->visibleItemAt(row).trashedPath;
    m_selectedRow = row;
}

std::optional<TrashedItem> TrashView::selectedItem() const {
    const QModelIndex current = m_table->currentIndex();
    if (!current.isValid() || current.row() >= m_model->rowCount())
        return std::nullopt;
    return m_model->visibleItemAt(current.row());
}

QList<TrashedItem> TrashView::chosenItems() const {
    QList<TrashedItem> items = m_model->markedItems();
    if (items.isEmpty())
        if (const std::optional<TrashedItem> selected = selectedItem())
            items.append(*selected);
    return items;
}

void TrashView::toggleMarkOnSelection() {
    if (const std::optional<TrashedItem> selected = selectedItem())
        m_model->toggleMark(selected->trashedPath);
}

void TrashView::setFilterShown(bool shown) {
    if (!shown) {
        m_filter->clear();
        m_model->setFilterQuery(QString());
    }
    m_filterRow->setVisible(shown);
    if (shown)
        m_filter->setFocus(Qt::OtherFocusReason);
    else
        m_table->setFocus(Qt::OtherFocusReason);
}

void TrashView::dispatch(const KeyCommand& command) {
    using C = KeyCommand::Case;
    switch (command.command()) {
    case C::sortBy: m_model->sortBy(command.sortKey()); break;
    case C::openSelection: restoreChosen(); break;
    case C::toggleMark: toggleMarkOnSelection(); break;
    case C::clearMarks: m_model->clearMarks(); break;
    case C::deleteMarked: deleteChosen(); break;
    case C::startFuzzySearch: setFilterShown(true); break;
    case C::prevTab: m_context.appState.prevTab(); break;
    case C::nextTab: m_context.appState.nextTab(); break;
    case C::openContextMenu: {
        QPoint at = QCursor::pos();
        const QModelIndex current = m_table->currentIndex();
        if (current.isValid())
            at = m_table->viewport()->mapToGlobal(m_table->visualRect(current).topLeft() + QPoint(8, 0));
        openContextMenu(at, selectedItem());
        break;
    }
    case C::showHelp: m_context.appState.setHelpPanelVisible(!m_context.appState.isHelpPanelVisible()); break;
    default: break; // the folder commands have nothing to act on here
    }
}

bool TrashView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_filter && event->type() == QEvent::KeyPress)
        return handleFilterKey(*static_cast<QKeyEvent*>(event));
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (key->key() == Qt::Key_Delete && modifiers == Qt::NoModifier) {
            deleteChosen();
            return true;
        }
        // The filter stays while the table has the focus; Escape there ends it too.
        if (key->key() == Qt::Key_Escape && modifiers == Qt::NoModifier && !m_filterRow->isHidden()) {
            setFilterShown(false);
            return true;
        }
        // The trash's own key, free in the folder tabs' table.
        if (key->text() == u"E"_s &&
            !(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            [[maybe_unused]] auto asking = confirmEmptyTrash();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool TrashView::handleFilterKey(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const int rows = m_model->rowCount();
    const int current = m_table->currentIndex().isValid() ? m_table->currentIndex().row() : -1;
    switch (event.key()) {
    case Qt::Key_Down: selectRow(std::min(current + 1, rows - 1)); return true;
    case Qt::Key_Up: selectRow(std::max(current - 1, 0)); return true;
    case Qt::Key_Space: toggleMarkOnSelection(); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: restoreChosen(); return true;
    case Qt::Key_Escape:
        if (m_filter->text().isEmpty())
            setFilterShown(false);
        else {
            m_filter->clear();
            m_model->setFilterQuery(QString());
        }
        return true;
    }
    return false;
}

void TrashView::restoreChosen() {
    const QList<TrashedItem> items = chosenItems();
    if (!items.isEmpty()) [[maybe_unused]]
        auto restoring = restore(items);
}

QCoro::Task<> TrashView::restore(QList<TrashedItem> items) {
    const QPointer<TrashView> self(this);
    AppState& appState = m_context.appState;
    FileSystemService& fileSystem = m_context.fileSystemService;
    TrashActions actions(appState, fileSystem);
    auto asking = actions.restoreConflicts(items);
    const QStringList conflicts = co_await asking;
    if (!self)
        co_return;
    if (!conflicts.isEmpty()) {
        // Filled in once the sheet exists; the action runs only after that.
        auto observer = std::make_shared<QueuedOperationObserver>();
        auto onResolve = [&appState, &fileSystem, items, observer](QList<ConflictResolution> resolutions) {
            return restoreItems(appState, fileSystem, items, std::move(resolutions), *observer);
        };
        auto* sheet = new ConflictResolutionSheet(conflicts, QString(), onResolve, window());
        *observer = sheet->operationObserver();
        sheet->setAttribute(Qt::WA_DeleteOnClose);
        sheet->open();
        co_return;
    }
    auto restoring = restoreItems(appState, fileSystem, items, {}, {});
    const std::optional<QString> failure = co_await restoring;
    if (self && failure)
        showAlert(window(), *failure);
}

void TrashView::deleteChosen() {
    confirmDelete(chosenItems());
}

void TrashView::confirmDelete(QList<TrashedItem> items) {
    if (items.isEmpty())
        return;
    AppState& appState = m_context.appState;
    FileSystemService& fileSystem = m_context.fileSystemService;
    auto action = [&appState, &fileSystem, items](QueuedOperationObserver observer) {
        return deleteItems(appState, fileSystem, items, std::move(observer));
    };
    auto* sheet = new TrashConfirmSheet(
        qtTrId("trash.delete.title"),
        confirmation(QT_TRID_NOOP("trash.delete.message"), QT_TRID_NOOP("trash.delete.messageNoSize"), items),
        qtTrId("trash.delete.confirm"), action, window());
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->open();
}

QCoro::Task<> TrashView::confirmEmptyTrash() {
    const QPointer<TrashView> self(this);
    AppState& appState = m_context.appState;
    FileSystemService& fileSystem = m_context.fileSystemService;
    // What is there now, not what the table last showed: the sheet names it.
    auto listing = fileSystem.listTrash();
    const std::vector<TrashedItem> listed = co_await listing;
    if (!self)
        co_return;
    const QList<TrashedItem> items(listed.begin(), listed.end());
    if (items.isEmpty()) {
        auto* note = new QMessageBox(QMessageBox::Information, u"Quillmere"_s, qtTrId("trash.empty.already"),
                                     QMessageBox::Ok, window());
        note->setObjectName(u"trashView.alreadyEmpty"_s);
        note->setAccessibleName(note->text());
        note->setAttribute(Qt::WA_DeleteOnClose);
        note->setWindowModality(Qt::WindowModal);
        note->open();
        co_return;
    }
    auto action = [&appState, &fileSystem](QueuedOperationObserver observer) {
        return emptyEveryTrash(appState, fileSystem, std::move(observer));
    };
    auto* sheet = new TrashConfirmSheet(
        qtTrId("trash.empty.title"),
        confirmation(QT_TRID_NOOP("trash.empty.message"), QT_TRID_NOOP("trash.empty.messageNoSize"), items),
        qtTrId("trash.empty.confirm"), action, window());
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->open();
}

void TrashView::openContextMenu(QPoint globalPosition, const std::optional<TrashedItem>& clicked) {
    // A marked row acts for every marked item, any other row for itself alone.
    QList<TrashedItem> items;
    if (clicked)
        items = m_model->marks().contains(clicked->trashedPath) ? m_model->markedItems()
                                                                : QList<TrashedItem>{*clicked};
    QMenu menu(this);
    menu.setObjectName(u"trashView.menu"_s);
    if (!items.isEmpty()) {
        menu.addAction(qtTrId("trash.menu.restore"), this,
                       [this, items] { [[maybe_unused]] auto restoring = restore(items); });
        menu.addAction(qtTrId("trash.menu.deleteForGood"), this, [this, items] { confirmDelete(items); });
        menu.addSeparator();
    }
    QAction* empty = menu.addAction(qtTrId("app.menu.emptyTrash"), this,
                                    [this] { [[maybe_unused]] auto asking = confirmEmptyTrash(); });
    empty->setEnabled(!m_model->items().isEmpty());
    menu.exec(globalPosition);
}

} // namespace quillmere
