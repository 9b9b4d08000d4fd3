#include "views/palette/CommandPaletteView.h"

#include "services/palette/CommandPaletteStore.h"
#include "views/palette/PaletteItemView.h"
#include "views/palette/PaletteItemsModel.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

constexpr int margin = 16;

enum class PaletteKey { none, up, down, run, close, tab };

PaletteKey paletteKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier) {
        // As in the palettes of editors and shells: Ctrl+P and Ctrl+N for previous and next.
        if (event.key() == Qt::Key_P)
            return PaletteKey::up;
        if (event.key() == Qt::Key_N)
            return PaletteKey::down;
        return PaletteKey::none;
    }
    if (event.key() == Qt::Key_Backtab)
        return PaletteKey::tab;
    if (modifiers != Qt::NoModifier)
        return PaletteKey::none;
    switch (event.key()) {
    case Qt::Key_Up: return PaletteKey::up;
    case Qt::Key_Down: return PaletteKey::down;
    case Qt::Key_Return:
    case Qt::Key_Enter: return PaletteKey::run;
    case Qt::Key_Escape: return PaletteKey::close;
    case Qt::Key_Tab: return PaletteKey::tab;
    default: return PaletteKey::none;
    }
}

} // namespace

CommandPaletteView::CommandPaletteView(CommandPaletteStore& store, QWidget* parent)
    : QWidget(parent)
    , m_store(store)
    , m_model(new PaletteItemsModel(store, this)) {
    setObjectName(u"commandPalette"_s);

    m_frame = new QFrame(this);
    m_frame->setObjectName(u"paletteFrame"_s);
    m_frame->setFrameShape(QFrame::StyledPanel);
    m_frame->setAutoFillBackground(true);
    m_frame->setBackgroundRole(QPalette::Base);
    auto* column = new QVBoxLayout(m_frame);
    column->setContentsMargins(1, 1, 1, 1);
    column->setSpacing(0);

    m_query = new QLineEdit(m_frame);
    m_query->setObjectName(u"paletteQuery"_s);
    m_query->setFrame(false);
    m_query->setTextMargins(8, 8, 8, 8);
    QFont queryFont = m_query->font();
    queryFont.setPointSizeF(queryFont.pointSizeF() * 1.25);
    m_query->setFont(queryFont);
    m_query->installEventFilter(this);
    column->addWidget(m_query);

    auto* divider = new QFrame(m_frame);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    column->addWidget(divider);

    m_noResults = new QLabel(m_frame);
    m_noResults->setObjectName(u"paletteNoResults"_s);
    m_noResults->setForegroundRole(QPalette::PlaceholderText);
    m_noResults->setAlignment(Qt::AlignCenter);
    m_noResults->setContentsMargins(margin, margin, margin, margin);
    column->addWidget(m_noResults);

    m_list = new QListView(m_frame);
    m_list->setObjectName(u"paletteList"_s);
    m_list->setModel(m_model);
    m_list->setItemDelegate(new PaletteItemView(m_list));
    m_list->setUniformItemSizes(true);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    // The query keeps the focus; the list is read and clicked, never typed into.
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setMouseTracking(true);
    column->addWidget(m_list);
    connect(m_list, &QListView::clicked, this, &CommandPaletteView::runRow);

    connect(m_query, &QLineEdit::textEdited, &m_store, &CommandPaletteStore::setQuery);
    connect(&m_store, &CommandPaletteStore::queryChanged, this, [this](const QString& query) {
        if (m_query->text() != query)
            m_query->setText(query);
    });
    connect(&m_store, &CommandPaletteStore::isPresentedChanged, this, &CommandPaletteView::presentedChanged);
    // After the model's own reset, which it connected first.
    connect(&m_store, &CommandPaletteStore::itemsChanged, this, &CommandPaletteView::rowsChanged);
    connect(&m_store, &CommandPaletteStore::selectedIndexChanged, this,
            &CommandPaletteView::selectionChanged);
    connect(&m_store, &CommandPaletteStore::navigationErrorMessageChanged, this,
            &CommandPaletteView::showNavigationError);

    parent->installEventFilter(this);
    retranslate();
    hide();
    if (m_store.isPresented())
        presentedChanged(true);
}

bool CommandPaletteView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_query &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
        const auto& press = *static_cast<QKeyEvent*>(event);
        if (paletteKey(press) == PaletteKey::none)
            return false;
        // Claimed before any shortcut of the window can take it.
        event->accept();
        if (event->type() == QEvent::KeyPress)
            handleKey(press);
        return true;
    }
    if (watched == parentWidget()) {
        switch (event->type()) {
        case QEvent::Resize: place(); break;
        case QEvent::ChildAdded:
        case QEvent::ChildPolished:
            // A view the window adds later must not cover the open palette.
            if (isVisible() && static_cast<QChildEvent*>(event)->child() != this)
                raise();
            break;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool CommandPaletteView::handleKey(const QKeyEvent& event) {
    switch (paletteKey(event)) {
    case PaletteKey::up: m_store.moveSelectionUp(); return true;
    case PaletteKey::down: m_store.moveSelectionDown(); return true;
    case PaletteKey::run: executeSelected(); return true;
    case PaletteKey::close: m_store.setPresented(false); return true;
    // Focus stays in the query: moving it on would reach the window under the palette,
    // where typing runs commands.
    case PaletteKey::tab: return true;
    case PaletteKey::none: return false;
    }
    return false;
}

void CommandPaletteView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void CommandPaletteView::paintEvent(QPaintEvent*) {
    // Dims the window under the palette.
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 0, 60));
}

void CommandPaletteView::mousePressEvent(QMouseEvent* event) {
    event->accept();
    // A click beside the palette closes it, as a click outside a popup does.
    if (!m_frame->geometry().contains(event->position().toPoint()))
        m_store.setPresented(false);
}

void CommandPaletteView::presentedChanged(bool presented) {
    QWidget* focused = window()->focusWidget();
    if (presented) {
        if (!isAncestorOf(focused))
            m_focusBefore = focused;
        if (m_query->text() != m_store.query())
            m_query->setText(m_store.query());
        rowsChanged();
        show();
        // Sized for the rows it shows now, not for those of its last opening.
        place();
        raise();
        m_query->setFocus(Qt::OtherFocusReason);
        return;
    }
    // Focus goes back where it was, unless something else took it meanwhile.
    if (isAncestorOf(focused) && m_focusBefore && m_focusBefore->isVisible())
        m_focusBefore->setFocus(Qt::OtherFocusReason);
    m_focusBefore.clear();
    hide();
}

void CommandPaletteView::rowsChanged() {
    const int rows = m_model->rowCount();
    m_noResults->setVisible(rows == 0);
    m_list->setVisible(rows > 0);
    if (rows > 0) {
        const qint64 height = qint64(rows) * m_list->sizeHintForRow(0) + 2 * m_list->frameWidth();
        m_list->setFixedHeight(int(std::min<qint64>(height, listMaximumHeight)));
        selectionChanged(m_store.selectedIndex());
    }
    if (isVisible())
        place();
}

void CommandPaletteView::selectionChanged(qsizetype index) {
    if (index < 0 || index >= m_model->rowCount())
        return;
    const QModelIndex row = m_model->index(int(index));
    m_list->setCurrentIndex(row);
    m_list->scrollTo(row);
}

void CommandPaletteView::executeSelected() {
    // Closed first, so that the command meets the window as its key would: the focus back
    // on the view it left, and any sheet or menu it opens over the window, not the palette.
    m_store.setPresented(false);
    // A copy: the command may set a new dispatch while it runs.
    const CommandPaletteStore::Dispatch dispatch = m_store.keyCommandDispatch();
    m_store.executeSelected(dispatch);
}

void CommandPaletteView::runRow(const QModelIndex& index) {
    if (!index.isValid())
        return;
    m_store.setSelectedIndex(index.row());
    executeSelected();
}

void CommandPaletteView::showNavigationError() {
    const std::optional<QString>& message = m_store.navigationErrorMessage();
    if (!message)
        return;
    // One warning at a time: a second failure before the first is read replaces its text.
    if (!m_errorAlert) {
        m_errorAlert =
            new QMessageBox(QMessageBox::Warning, u"Quillmere"_s, QString(), QMessageBox::Ok, window());
        m_errorAlert->setObjectName(u"paletteErrorAlert"_s);
        m_errorAlert->setAttribute(Qt::WA_DeleteOnClose);
        m_errorAlert->setWindowModality(Qt::WindowModal);
    }
    m_errorAlert->setText(*message);
    m_errorAlert->setAccessibleName(*message);
    m_errorAlert->open();
}

void CommandPaletteView::place() {
    const QWidget* host = parentWidget();
    if (!host)
        return;
    setGeometry(host->rect());
    const int width = std::min(paletteWidth, std::max(host->width() - 2 * margin, 0));
    m_frame->layout()->invalidate();
    const int top = std::clamp(host->height() / 8, margin / 2, 96);
    const int height = std::min(m_frame->sizeHint().height(), std::max(host->height() - top - margin, 0));
    m_frame->setGeometry((host->width() - width) / 2, top, width, height);
}

void CommandPaletteView::retranslate() {
    const QString title = qtTrId("app.menu.commandPalette");
    setAccessibleName(title);
    m_frame->setAccessibleName(title);
    m_query->setPlaceholderText(qtTrId("palette.searchPlaceholder"));
    m_query->setAccessibleName(m_query->placeholderText());
    m_noResults->setText(qtTrId("palette.noResults"));
    m_noResults->setAccessibleName(m_noResults->text());
    m_list->setAccessibleName(qtTrId("palette.results"));
}

} // namespace quillmere
