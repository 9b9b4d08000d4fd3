#include "models/listing/FileOrdering.h"

#include "models/listing/CollatedOrder.h"

#include <QHash>

#include <algorithm>
#include <numeric>
#include <utility>
#include <vector>

namespace quillmere {
namespace {

const QCollator& threadCollator() {
    // A collator is costly to create; one per thread follows the current default locale.
    thread_local QLocale locale;
    thread_local QCollator collator = makeNameCollator();
    if (locale != QLocale()) {
        locale = QLocale();
        collator = makeNameCollator();
    }
    return collator;
}

int64_t sizeValue(const FileItem& item) {
    return item.size.value_or(0);
}

FileTime dateValue(const FileItem& item) {
    return item.modificationDate.value_or(FileTime::min());
}

bool ascendingTest(const FileItem& a, const FileItem& b, SortKey key) {
    switch (key) {
    case SortKey::name: return threadCollator().compare(a.name, b.name) < 0;
    case SortKey::kind: return threadCollator().compare(a.kind, b.kind) < 0;
    case SortKey::dateModified: return dateValue(a) < dateValue(b);
    case SortKey::size: return sizeValue(a) < sizeValue(b);
    }
    return false;
}

// Moves each item to its place along the permutation's cycles: no second list, so
// no fresh memory to fault in for a large listing.
void applyOrder(QList<FileItem>& items, std::vector<qsizetype>& order) {
    constexpr qsizetype done = -1;
    for (qsizetype start = 0; start < items.size(); ++start) {
        if (order[size_t(start)] == done || order[size_t(start)] == start)
            continue;
        FileItem held = std::move(items[start]);
        qsizetype to = start;
        while (order[size_t(to)] != start) {
            const qsizetype from = order[size_t(to)];
            items[to] = std::move(items[from]);
            order[size_t(to)] = done;
            to = from;
        }
        items[to] = std::move(held);
        order[size_t(to)] = done;
    }
}

// Sorting by (key, listing position) with a plain sort gives the stable order; a
// descending sort flips the key only, so ties still keep listing order.
template <typename Key>
std::vector<qsizetype> orderByKey(const QList<FileItem>& items, Key (*key)(const FileItem&, bool descending),
                                  bool descending) {
    std::vector<std::pair<Key, qsizetype>> keyed(size_t(items.size()));
    for (qsizetype i = 0; i < items.size(); ++i)
        keyed[size_t(i)] = {key(items[i], descending), i};
    std::sort(keyed.begin(), keyed.end());
    std::vector<qsizetype> order;
    order.reserve(keyed.size());
    for (const auto& entry : keyed)
        order.push_back(entry.second);
    return order;
}

// ~ reverses the order without overflow.
int64_t sizeKey(const FileItem& item, bool descending) {
    const int64_t size = sizeValue(item);
    return descending ? ~size : size;
}
std::pair<int64_t, int64_t> dateKey(const FileItem& item, bool descending) {
    const FileTime date = dateValue(item);
    const int64_t seconds = date.seconds().count();
    const int64_t nanoseconds = date.nanoseconds().count();
    return descending ? std::pair(~seconds, ~nanoseconds) : std::pair(seconds, nanoseconds);
}

// A listing has few distinct kinds: rank those with the collator, then place the
// items by rank with a counting sort, which keeps listing order within a rank.
std::vector<qsizetype> orderByKind(const QList<FileItem>& items, const QCollator& collator, bool descending) {
    QHash<QString, int> rankOf;
    std::vector<QStringView> kinds;
    for (const FileItem& item : items)
        if (!rankOf.contains(item.kind)) {
            rankOf.insert(item.kind, 0);
            kinds.push_back(item.kind);
        }
    const std::vector<qsizetype> sortedKinds = CollatedOrder::of(kinds, collator, descending);
    int rank = 0;
    for (size_t i = 0; i < sortedKinds.size(); ++i) {
        const QStringView kind = kinds[size_t(sortedKinds[i])];
        if (i > 0 && collator.compare(kinds[size_t(sortedKinds[i - 1])], kind) != 0)
            ++rank;
        rankOf[kind.toString()] = rank;
    }
    std::vector<qsizetype> starts(size_t(rank) + 2, 0);
    std::vector<int> itemRanks(size_t(items.size()));
    for (qsizetype i = 0; i < items.size(); ++i) {
        itemRanks[size_t(i)] = rankOf.value(items[i].kind);
        ++starts[size_t(itemRanks[size_t(i)]) + 1];
    }
    for (size_t r = 1; r < starts.size(); ++r)
        starts[r] += starts[r - 1];
    std::vector<qsizetype> order(size_t(items.size()));
    for (qsizetype i = 0; i < items.size(); ++i)
        order[size_t(starts[size_t(itemRanks[size_t(i)])]++)] = i;
    return order;
}

} // namespace

QCollator makeNameCollator() {
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setIgnorePunctuation(false);
    return collator;
}

bool areInIncreasingOrder(const FileItem& a, const FileItem& b, SortKey key, SortDirection direction) {
    return direction == SortDirection::ascending ? ascendingTest(a, b, key) : ascendingTest(b, a, key);
}

void sortItems(QList<FileItem>& items, SortKey key, SortDirection direction) {
    const bool descending = direction == SortDirection::descending;
    std::vector<qsizetype> order;
    switch (key) {
    case SortKey::name: {
        std::vector<QStringView> names;
        names.reserve(size_t(items.size()));
        for (const FileItem& item : items)
            names.push_back(item.name);
        order = CollatedOrder::of(names, makeNameCollator(), descending);
        break;
    }
    case SortKey::kind: order = orderByKind(items, makeNameCollator(), descending); break;
    case SortKey::dateModified: order = orderByKey(items, dateKey, descending); break;
    case SortKey::size: order = orderByKey(items, sizeKey, descending); break;
    }
    applyOrder(items, order);
}

} // namespace quillmere
