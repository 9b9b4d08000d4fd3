#pragma once

#include "models/paths/PathMapping.h"

#include "models/settings/Bookmark.h"
#include "platform/PathProbe.h"
#include "services/persistence/Debouncer.h"

#include <QObject>

namespace quillmere {

class PersistenceService;

// The bookmarked folders, oldest first, saved once saveDelay (half a second by
// default) has passed since the last change; also whether the bookmark popover is
// shown (not saved).
class BookmarkStore final : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds defaultSaveDelay{500};

    // The probe tells which bookmarked folders are gone.
    explicit BookmarkStore(PersistenceService& service, PathProbe probe = PathProbe(),
                           std::chrono::milliseconds saveDelay = defaultSaveDelay, QObject* parent = nullptr);

    const QList<Bookmark>& bookmarks() const { return m_bookmarks; }
    void setBookmarks(QList<Bookmark> bookmarks);
    bool showPopover() const { return m_showPopover; }
    void setShowPopover(bool show);

    // Adds the standardised folder unless it is bookmarked already.
    void add(const QString& folder);
    void remove(const QUuid& id);
    // Bookmarked folders follow moves and renames (theirs or an ancestor's), keeping their
    // place in the list; saved when any moved.
    void remap(const QList<PathMapping>& mappings);
    // Drops the bookmarks whose folder is gone, asking off the calling thread; saves only
    // when one was dropped.
    QCoro::Task<> pruneMissing();
    QCoro::Task<> flush();

Q_SIGNALS:
    void bookmarksChanged();
    void showPopoverChanged(bool shown);

private:
    void scheduleSave();

    PersistenceService& m_service;
    PathProbe m_probe;
    Debouncer m_debouncer;
    QList<Bookmark> m_bookmarks;
    bool m_showPopover = false;
};

} // namespace quillmere
