#include "views/chooser/FolderChooserDialog.h"

#include "models/listing/FileOrdering.h"
#include "models/listing/FuzzyMatcher.h"
#include "models/paths/FileName.h"
#include "models/paths/FilePath.h"
#include "services/filesystem/FileSystemService.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace quillmere {

namespace {

// Every row keeps the exact path it stands for; its text is only for showing.
constexpr int pathRole = Qt::UserRole;
constexpr int nameRole = Qt::UserRole + 1;

bool isReturn(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

bool hasCommandModifier(const QKeyEvent& key) {
    return key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

QList<QuickDestination> withoutRepeatedPaths(const QList<QuickDestination>& destinations) {
    QList<QuickDestination> kept;
    QSet<QString> seen;
    for (const QuickDestination& destination : destinations) {
        const QString path = FilePath::standardised(destination.path);
        if (destination.path.isEmpty() || seen.contains(path))
            continue;
        seen.insert(path);
        kept.append(destination);
    }
    return kept;
}

QString rowText(const QuickDestination& destination) {
    const QString path = FileName::displayText(destination.path);
    if (destination.label.isEmpty() || destination.label == destination.path)
        return path;
    return FileName::displayText(destination.label) + u"  \u2014  "_s + path;
}

} // namespace

FolderChooserDialog::FolderChooserDialog(FileSystemService& fileSystem, FolderChoiceRequest request,
                                         QWidget* parent)
    : QDialog(parent)
    , m_fileSystem(fileSystem)
    , m_request(std::move(request))
    , m_destinations(withoutRepeatedPaths(m_request.quickDestinations)) {
    setObjectName(u"folderChooser"_s);
    setWindowModality(Qt::WindowModal);

    m_message = new QLabel(m_request.message);
    m_message->setObjectName(u"folderChooser.message"_s);
    m_message->setWordWrap(true);
    m_message->setVisible(!m_request.message.isEmpty());

    m_quickTitle = new QLabel;
    m_filter = new QLineEdit;
    m_filter->setObjectName(u"folderChooser.filter"_s);
    m_filter->setClearButtonEnabled(true);
    m_quickTitle->setBuddy(m_filter);
    m_quick = new QListWidget;
    m_quick->setObjectName(u"folderChooser.quick"_s);
    // The filter field steers the list, so Tab passes it by; a click still focuses it.
    m_quick->setFocusPolicy(Qt::ClickFocus);
    m_quick->setUniformItemSizes(true);
    m_noMatches = new QLabel;
    m_noMatches->setObjectName(u"folderChooser.noMatches"_s);
    m_noMatches->hide();

    m_foldersTitle = new QLabel;
    m_path = new QLabel;
    m_path->setObjectName(u"folderChooser.path"_s);
    m_path->setTextFormat(Qt::PlainText);
    // A long path is shortened in the middle rather than widening the dialog.
    m_path->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_path->installEventFilter(this);
    m_browser = new QListWidget;
    m_browser->setObjectName(u"folderChooser.browser"_s);
    m_browser->setUniformItemSizes(true);
    m_foldersTitle->setBuddy(m_browser);
    m_status = new QLabel;
    m_status->setObjectName(u"folderChooser.status"_s);
    m_status->hide();

    m_hints = new QLabel;
    m_hints->setObjectName(u"folderChooser.keyHints"_s);
    m_hints->setWordWrap(true);
    m_hints->setForegroundRole(QPalette::PlaceholderText);

    auto* buttons = new QDialogButtonBox;
    m_confirm = buttons->addButton(m_request.confirmText, QDialogButtonBox::AcceptRole);
    m_confirm->setObjectName(u"folderChooser.confirm"_s);
    m_confirm->setDefault(true);
    m_cancel = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    m_cancel->setObjectName(u"folderChooser.cancel"_s);
    connect(m_confirm, &QPushButton::clicked, this, [this] { choose(candidate(activeSection())); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    const bool hasDestinations = !m_destinations.isEmpty();
    for (QWidget* quickPart : {static_cast<QWidget*>(m_quickTitle), static_cast<QWidget*>(m_filter),
                               static_cast<QWidget*>(m_quick)})
        quickPart->setVisible(hasDestinations);

    for (QLabel* title : {m_quickTitle, m_foldersTitle}) {
        QFont font = title->font();
        font.setBold(true);
        title->setFont(font);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_message);
    layout->addWidget(m_quickTitle);
    layout->addWidget(m_filter);
    layout->addWidget(m_quick, 2);
    layout->addWidget(m_noMatches);
    layout->addSpacing(6);
    layout->addWidget(m_foldersTitle);
    layout->addWidget(m_path);
    layout->addWidget(m_browser, 3);
    layout->addWidget(m_status);
    layout->addWidget(m_hints);
    layout->addWidget(buttons);

    for (QWidget* watched :
         {static_cast<QWidget*>(m_filter), static_cast<QWidget*>(m_quick), static_cast<QWidget*>(m_browser)})
        watched->installEventFilter(this);
    connect(m_filter, &QLineEdit::textChanged, this, &FolderChooserDialog::applyFilter);
    connect(m_quick, &QListWidget::currentRowChanged, this, &FolderChooserDialog::updateConfirmButton);
    connect(m_browser, &QListWidget::currentRowChanged, this, &FolderChooserDialog::updateConfirmButton);
    connect(m_quick, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { choose(item->data(pathRole).toString()); });
    connect(m_browser, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (m_browser->row(item) == 0)
            choose(m_shownFolder);
        else
            showFolder(item->data(pathRole).toString());
    });

    retranslate();
    applyFilter();
    const QString start = FilePath::standardised(m_request.startFolder);
    showFolder(start.isEmpty() ? u"/"_s : start);
    m_lastSection = hasDestinations ? Section::quick : Section::browser;
    (hasDestinations ? static_cast<QWidget*>(m_filter) : m_browser)->setFocus();
    resize(560, 560);
}

FolderChooserDialog::~FolderChooserDialog() = default;

void FolderChooserDialog::retranslate() {
    setWindowTitle(qtTrId("chooser.title"));
    m_message->setAccessibleName(m_request.message);
    m_quickTitle->setText(qtTrId("chooser.quickTitle"));
    m_filter->setPlaceholderText(qtTrId("chooser.filter"));
    m_filter->setAccessibleName(qtTrId("chooser.filter"));
    m_quick->setAccessibleName(qtTrId("chooser.quickTitle"));
    m_noMatches->setText(qtTrId("chooser.noMatches"));
    m_foldersTitle->setText(qtTrId("chooser.foldersTitle"));
    m_path->setAccessibleName(qtTrId("chooser.shownFolder"));
    m_browser->setAccessibleName(qtTrId("chooser.foldersTitle"));
    m_hints->setText(qtTrId("chooser.keyHints"));
    m_hints->setAccessibleName(qtTrId("chooser.keyHints"));
    m_confirm->setAccessibleName(m_request.confirmText);
    m_cancel->setText(qtTrId("chooser.cancel"));
    m_cancel->setAccessibleName(qtTrId("chooser.cancel"));
    if (QListWidgetItem* here = m_browser->item(0))
        here->setText(qtTrId("chooser.thisFolder"));
    if (m_listing)
        setStatus(qtTrId("chooser.loading"));
    else if (m_unreadable)
        setStatus(qtTrId("chooser.unreadable"));
    else if (m_browser->count() == 1)
        setStatus(qtTrId("chooser.noFolders"));
}

void FolderChooserDialog::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

// Destinations whose label, folder name or path matches, best first; equal scores keep the request's
// order (other tabs, bookmarks, recent folders).
void FolderChooserDialog::applyFilter() {
    const QString query = m_filter->text().trimmed();
    struct Match {
        int score;
        qsizetype index;
    };
    QList<Match> matches;
    for (qsizetype i = 0; i < m_destinations.size(); ++i) {
        if (query.isEmpty()) {
            matches.append({0, i});
            continue;
        }
        const QuickDestination& destination = m_destinations[i];
        const QString path = FileName::displayText(destination.path);
        std::optional<int> best;
        for (const QString& text :
             {FileName::displayText(destination.label), FilePath::lastComponent(path), path})
            if (const std::optional<int> score = fuzzyScore(text, query); score && (!best || *score > *best))
                best = score;
        if (best)
            matches.append({*best, i});
    }
    std::stable_sort(matches.begin(), matches.end(),
                     [](const Match& a, const Match& b) { return a.score > b.score; });

    m_quick->clear();
    for (const Match& match : matches) {
        const QuickDestination& destination = m_destinations[match.index];
        auto* row = new QListWidgetItem(rowText(destination), m_quick);
        row->setData(pathRole, destination.path);
        row->setToolTip(FileName::displayText(destination.path));
    }
    if (!matches.isEmpty())
        m_quick->setCurrentRow(0);
    m_noMatches->setVisible(matches.isEmpty() && !m_destinations.isEmpty());
    updateConfirmButton();
}

void FolderChooserDialog::showFolder(const QString& folder, const QString& highlightName) {
    m_shownFolder = folder;
    m_listing = true;
    m_unreadable = false;
    m_path->setToolTip(FileName::displayText(folder));
    m_path->setAccessibleDescription(FileName::displayText(folder));
    fitPathLabel();
    fillBrowser({}, {});
    setStatus(qtTrId("chooser.loading"));
    // Runs on by itself; the generation tells it whether its answer is still wanted.
    listShownFolder(++m_generation, highlightName);
}

QCoro::Task<> FolderChooserDialog::listShownFolder(uint64_t generation, QString highlightName) {
    QPointer<FolderChooserDialog> self(this);
    const QString folder = m_shownFolder;
    QList<FileItem> folders;
    bool readable = true;
    try {
        const QList<FileItem> items = co_await m_fileSystem.listDirectory(folder, m_showHidden);
        for (const FileItem& item : items)
            if (item.isDirectory || item.isLinkToFolder)
                folders.append(item);
    } catch (...) {
        readable = false;
    }
    if (!self || m_generation != generation)
        co_return;
    sortItems(folders, SortKey::name, SortDirection::ascending);
    m_listing = false;
    m_unreadable = !readable;
    fillBrowser(folders, highlightName);
    setStatus(!readable           ? qtTrId("chooser.unreadable")
              : folders.isEmpty() ? qtTrId("chooser.noFolders")
                                  : QString());
}

// The first row stands for the shown folder itself, so Return always has a folder to
// choose, also while the listing is on its way.
void FolderChooserDialog::fillBrowser(const QList<FileItem>& folders, const QString& highlightName) {
    m_browser->clear();
    auto* here = new QListWidgetItem(qtTrId("chooser.thisFolder"), m_browser);
    here->setData(pathRole, m_shownFolder);
    QFont font = here->font();
    font.setItalic(true);
    here->setFont(font);
    int current = 0;
    for (const FileItem& folder : folders) {
        auto* row = new QListWidgetItem(FileName::displayText(folder.name), m_browser);
        row->setData(pathRole, folder.id);
        row->setData(nameRole, folder.name);
        if (!highlightName.isEmpty() && folder.name == highlightName)
            current = m_browser->count() - 1;
    }
    m_browser->setCurrentRow(current);
    updateConfirmButton();
}

void FolderChooserDialog::fitPathLabel() {
    const QString full = FileName::displayText(m_shownFolder);
    m_path->setText(m_path->fontMetrics().elidedText(full, Qt::ElideMiddle, m_path->width()));
}

void FolderChooserDialog::setStatus(const QString& text) {
    m_status->setText(text);
    m_status->setAccessibleName(text);
    m_status->setVisible(!text.isEmpty());
}

void FolderChooserDialog::enterHighlightedFolder() {
    if (m_browser->currentRow() > 0)
        showFolder(m_browser->currentItem()->data(pathRole).toString());
}

void FolderChooserDialog::goToParentFolder() {
    const QString parent = FilePath::parent(m_shownFolder);
    if (parent != m_shownFolder)
        showFolder(parent, FilePath::lastComponent(m_shownFolder));
}

void FolderChooserDialog::toggleHiddenFolders() {
    const QListWidgetItem* current = m_browser->currentItem();
    const QString highlighted = current ? current->data(nameRole).toString() : QString();
    m_showHidden = !m_showHidden;
    showFolder(m_shownFolder, highlighted);
}

QString FolderChooserDialog::candidate(Section section) const {
    if (section == Section::quick) {
        const QListWidgetItem* current = m_quick->currentItem();
        return current ? current->data(pathRole).toString() : QString();
    }
    const QListWidgetItem* current = m_browser->currentItem();
    return current ? current->data(pathRole).toString() : m_shownFolder;
}

FolderChooserDialog::Section FolderChooserDialog::activeSection() const {
    const QWidget* focused = focusWidget();
    if (focused == m_filter || focused == m_quick)
        return Section::quick;
    if (focused == m_browser)
        return Section::browser;
    return m_lastSection; // a button: the section the user left for it
}

void FolderChooserDialog::updateConfirmButton() {
    m_confirm->setEnabled(!candidate(activeSection()).isEmpty());
}

void FolderChooserDialog::choose(const QString& path) {
    if (path.isEmpty())
        return;
    m_chosen = path;
    accept();
}

bool FolderChooserDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_path) {
        if (event->type() == QEvent::Resize)
            fitPathLabel();
        return false;
    }
    const Section section = watched == m_browser ? Section::browser : Section::quick;
    if (event->type() == QEvent::FocusIn) {
        m_lastSection = section;
        updateConfirmButton();
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (isReturn(*key)) {
        choose(candidate(section));
        return true;
    }
    // Tab moves between the two sections.
    if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && !hasCommandModifier(*key) &&
        !m_destinations.isEmpty()) {
        (section == Section::quick ? static_cast<QWidget*>(m_browser) : m_filter)
            ->setFocus(Qt::TabFocusReason);
        return true;
    }
    if (watched == m_filter) {
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: QCoreApplication::sendEvent(m_quick, event); return true;
        default: return false;
        }
    }
    if (watched == m_quick) {
        // Typing in the list goes on in the filter.
        const bool typing =
            !hasCommandModifier(*key) && !key->text().isEmpty() && key->text().front().isPrint();
        if (typing || key->key() == Qt::Key_Backspace) {
            m_filter->setFocus(Qt::OtherFocusReason);
            QCoreApplication::sendEvent(m_filter, event);
            return true;
        }
        return false;
    }
    if (hasCommandModifier(*key))
        return false;
    switch (key->key()) {
    case Qt::Key_Right: enterHighlightedFolder(); return true;
    case Qt::Key_Left:
    case Qt::Key_Backspace: goToParentFolder(); return true;
    case Qt::Key_Period: toggleHiddenFolders(); return true;
    default: return false;
    }
}

} // namespace quillmere
