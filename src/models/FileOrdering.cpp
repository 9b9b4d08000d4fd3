#include "FileOrdering.h"

#include <QCollatorSortKey>

#include <algorithm>
#include <numeric>
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

int64_t sizeValue(const FileItem& item) { return item.size.value_or(0); }

FileTime dateValue(const FileItem& item) { return item.modificationDate.value_or(FileTime::min()); }

bool ascendingTest(const FileItem& a, const FileItem& b, SortKey key) {
    switch (key) {
    case SortKey::name: return threadCollator().compare(a.name, b.name) < 0;
    case SortKey::kind: return threadCollator().compare(a.kind, b.kind) < 0;
    case SortKey::dateModified: return dateValue(a) < dateValue(b);
    case SortKey::size: return sizeValue(a) < sizeValue(b);
    }
    return false;
}

template <typename Less> void stableSortByIndex(QList<FileItem>& items, Less less) {
    std::vector<qsizetype> order(size_t(items.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), less);
    QList<FileItem> sorted;
    sorted.reserve(items.size());
    for (qsizetype index : order)
        sorted.append(std::move(items[index]));
    items = std::move(sorted);
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
    if (key == SortKey::name || key == SortKey::kind) {
        const QCollator collator = makeNameCollator();
        std::vector<QCollatorSortKey> keys;
        keys.reserve(size_t(items.size()));
        for (const FileItem& item : items)
            keys.push_back(collator.sortKey(key == SortKey::name ? item.name : item.kind));
        stableSortByIndex(items, [&](qsizetype a, qsizetype b) {
            return descending ? keys[size_t(b)].compare(keys[size_t(a)]) < 0
                              : keys[size_t(a)].compare(keys[size_t(b)]) < 0;
        });
        return;
    }
    stableSortByIndex(items, [&](qsizetype a, qsizetype b) {
        return descending ? ascendingTest(items[b], items[a], key) : ascendingTest(items[a], items[b], key);
    });
}

} // namespace quillmere
