#include "services/persistence/BookmarkStore.h"

#include "models/paths/FilePath.h"
#include "models/paths/PathMapper.h"
#include "services/persistence/SaveIgnoringFailure.h"

#include <QCoroFuture>
#include <QPointer>
#include <QSet>
#include <QtConcurrent/QtConcurrentRun>

namespace quillmere {

BookmarkStore::BookmarkStore(PersistenceService& service, PathProbe probe,
                             std::chrono::milliseconds saveDelay, QObject* parent)
    : QObject(parent)
    , m_service(service)
    , m_probe(std::move(probe))
    , m_debouncer(saveDelay) {}

void BookmarkStore::setBookmarks(QList<Bookmark> bookmarks) {
    if (bookmarks == m_bookmarks)
        return;
    m_bookmarks = std::move(bookmarks);
    Q_EMIT bookmarksChanged();
}

void BookmarkStore::setShowPopover(bool show) {
    if (show == m_showPopover)
        return;
    m_showPopover = show;
    Q_EMIT showPopoverChanged(show);
}

void BookmarkStore::add(const QString& folder) {
    const QString url = FilePath::standardised(folder);
    for (const Bookmark& bookmark : m_bookmarks)
        if (bookmark.url == url)
            return;
    m_bookmarks.append({QUuid::createUuid(), url, QDateTime::currentDateTimeUtc()});
    Q_EMIT bookmarksChanged();
    scheduleSave();
}

void BookmarkStore::remove(const QUuid& id) {
    if (m_bookmarks.removeIf([&](const Bookmark& bookmark) { return bookmark.id == id; }) > 0)
        Q_EMIT bookmarksChanged();
    scheduleSave();
}

void BookmarkStore::remap(const QList<PathMapping>& mappings) {
    bool changed = false;
    for (Bookmark& bookmark : m_bookmarks) {
        if (const std::optional<QString> moved = PathMapper::mapped(bookmark.url, mappings)) {
            changed = changed || *moved != bookmark.url;
            bookmark.url = *moved;
        }
    }
    if (!changed)
        return;
    Q_EMIT bookmarksChanged();
    scheduleSave();
}

QCoro::Task<> BookmarkStore::pruneMissing() {
    const QPointer<BookmarkStore> self(this);
    QStringList folders;
    for (const Bookmark& bookmark : std::as_const(m_bookmarks))
        folders.append(bookmark.url);
    // Asked off the user-interface thread: a bookmark may point into a stalled mount.
    // The future is a named local: GCC 12 destroys a temporary closure in a co_await twice.
    auto asking = QtConcurrent::run([probe = m_probe, folders] {
        QSet<QString> gone;
        for (const QString& folder : folders) {
            if (!probe.exists(folder))
                gone.insert(folder);
        }
        return gone;
    });
    const QSet<QString> missing = co_await asking;
    if (!self)
        co_return;
    // Bookmarks added meanwhile were not asked about and stay.
    const qsizetype removed =
        m_bookmarks.removeIf([&](const Bookmark& bookmark) { return missing.contains(bookmark.url); });
    if (removed == 0)
        co_return;
    Q_EMIT bookmarksChanged();
    scheduleSave();
}

QCoro::Task<> BookmarkStore::flush() {
    m_debouncer.cancel();
    co_await saveIgnoringFailure(&m_service, &PersistenceService::saveBookmarks, m_bookmarks);
}

void BookmarkStore::scheduleSave() {
    m_debouncer.schedule([service = &m_service, snapshot = m_bookmarks] {
        return saveIgnoringFailure(service, &PersistenceService::saveBookmarks, snapshot);
    });
}

} // namespace quillmere
