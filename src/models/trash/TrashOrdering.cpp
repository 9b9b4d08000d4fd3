#include "models/trash/TrashOrdering.h"

#include "models/listing/CollatedOrder.h"
#include "models/listing/FileOrdering.h"
#include "models/listing/FuzzyMatcher.h"
#include "models/paths/FilePath.h"

#include <algorithm>
#include <vector>

namespace quillmere {
namespace {

void reorder(QList<TrashedItem>& items, const std::vector<qsizetype>& order) {
    QList<TrashedItem> sorted;
    sorted.reserve(items.size());
    for (const qsizetype from : order)
        sorted.append(std::move(items[from]));
    items = std::move(sorted);
}

void collate(QList<TrashedItem>& items, const QStringList& texts, const QCollator& collator,
             bool descending) {
    std::vector<QStringView> views;
    views.reserve(size_t(texts.size()));
    for (const QString& text : texts)
        views.emplace_back(text);
    reorder(items, CollatedOrder::of(views, collator, descending));
}

} // namespace

QString TrashOrdering::nameOf(const TrashedItem& item) {
    return FilePath::lastComponent(item.originalPath);
}

QString TrashOrdering::originalFolderOf(const TrashedItem& item) {
    return FilePath::parent(item.originalPath);
}

void TrashOrdering::sortItems(QList<TrashedItem>& items, SortKey key, SortDirection direction) {
    const bool descending = direction == SortDirection::descending;
    const QCollator collator = makeNameCollator();
    QStringList names;
    names.reserve(items.size());
    for (const TrashedItem& item : std::as_const(items))
        names.append(nameOf(item));
    // Name order first: the other keys keep it among equals.
    collate(items, names, collator, key == SortKey::name && descending);
    switch (key) {
    case SortKey::name: break;
    case SortKey::kind: {
        QStringList folders;
        folders.reserve(items.size());
        for (const TrashedItem& item : std::as_const(items))
            folders.append(originalFolderOf(item));
        collate(items, folders, collator, descending);
        break;
    }
    case SortKey::dateModified:
        std::stable_sort(items.begin(), items.end(),
                         [descending](const TrashedItem& a, const TrashedItem& b) {
                             // An invalid date is the earliest.
                             const qint64 first =
                                 a.deletionDate.isValid() ? a.deletionDate.toMSecsSinceEpoch() : INT64_MIN;
                             const qint64 second =
                                 b.deletionDate.isValid() ? b.deletionDate.toMSecsSinceEpoch() : INT64_MIN;
                             return descending ? second < first : first < second;
                         });
        break;
    case SortKey::size:
        std::stable_sort(items.begin(), items.end(),
                         [descending](const TrashedItem& a, const TrashedItem& b) {
                             const std::int64_t first = a.size.value_or(0);
                             const std::int64_t second = b.size.value_or(0);
                             return descending ? second < first : first < second;
                         });
        break;
    }
}

QList<qsizetype> TrashOrdering::matching(const QList<TrashedItem>& items, QStringView query) {
    QList<qsizetype> positions;
    if (query.isEmpty()) {
        positions.reserve(items.size());
        for (qsizetype i = 0; i < items.size(); ++i)
            positions.append(i);
        return positions;
    }
    std::vector<std::pair<int, qsizetype>> scored;
    for (qsizetype i = 0; i < items.size(); ++i)
        if (const std::optional<int> score = fuzzyScore(nameOf(items[i]), query))
            scored.emplace_back(*score, i);
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    positions.reserve(qsizetype(scored.size()));
    for (const auto& entry : scored)
        positions.append(entry.second);
    return positions;
}

} // namespace quillmere
