#include "models/listing/CollatedOrder.h"

#include "models/listing/AsciiCollation.h"

#include <QCollatorSortKey>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace quillmere {
namespace {

// One ASCII key in the shared arena, with its first eight bytes inline so that most
// comparisons never leave the array.
struct ArenaKey {
    uint64_t head;
    uint32_t offset;
    uint32_t length;
    qsizetype position;
};

uint64_t headOf(std::string_view key) {
    unsigned char bytes[8] = {};
    std::memcpy(bytes, key.data(), std::min<size_t>(8, key.size()));
    uint64_t head = 0;
    for (unsigned char byte : bytes)
        head = head << 8 | byte;
    return head;
}

std::vector<qsizetype> sortAsciiKeys(std::vector<ArenaKey>& keys, const std::string& arena, bool descending) {
    auto tail = [&](const ArenaKey& key) { return std::string_view(arena).substr(key.offset, key.length); };
    std::sort(keys.begin(), keys.end(), [&](const ArenaKey& a, const ArenaKey& b) {
        int order = a.head < b.head ? -1 : a.head > b.head ? 1 : 0;
        if (order == 0)
            order = tail(a).compare(tail(b));
        if (order != 0)
            return descending ? order > 0 : order < 0;
        return a.position < b.position;
    });
    std::vector<qsizetype> out;
    out.reserve(keys.size());
    for (const ArenaKey& key : keys)
        out.push_back(key.position);
    return out;
}

struct KeyedText {
    QCollatorSortKey key;
    qsizetype position;
};

std::vector<KeyedText> sortByCollatorKeys(const std::vector<QStringView>& texts,
                                          const std::vector<qsizetype>& positions, const QCollator& collator,
                                          bool descending) {
    std::vector<KeyedText> keyed;
    keyed.reserve(positions.size());
    for (qsizetype position : positions)
        keyed.push_back({collator.sortKey(texts[size_t(position)].toString()), position});
    std::sort(keyed.begin(), keyed.end(), [&](const KeyedText& a, const KeyedText& b) {
        const int result = a.key.compare(b.key);
        if (result != 0)
            return descending ? result > 0 : result < 0;
        return a.position < b.position;
    });
    return keyed;
}

} // namespace

std::vector<qsizetype> CollatedOrder::of(const std::vector<QStringView>& texts, const QCollator& collator,
                                         bool descending) {
    const AsciiCollation& ascii = AsciiCollation::forCollator(collator);
    std::string arena;
    std::vector<ArenaKey> asciiKeys;
    std::vector<qsizetype> others;
    asciiKeys.reserve(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        const size_t offset = arena.size();
        if (ascii.isUsable() && ascii.appendKey(texts[i], arena)) {
            const std::string_view key = std::string_view(arena).substr(offset);
            const size_t inline_ = std::min<size_t>(8, key.size());
            asciiKeys.push_back(
                {headOf(key), uint32_t(offset + inline_), uint32_t(key.size() - inline_), qsizetype(i)});
        } else {
            others.push_back(qsizetype(i));
        }
    }
    std::vector<qsizetype> plain = sortAsciiKeys(asciiKeys, arena, descending);
    if (others.empty())
        return plain;
    const std::vector<KeyedText> rest = sortByCollatorKeys(texts, others, collator, descending);
    std::vector<qsizetype> merged;
    merged.reserve(texts.size());
    if (plain.empty()) {
        for (const KeyedText& other : rest)
            merged.push_back(other.position);
        return merged;
    }

    // The two key kinds do not compare with each other, so the merge gives the ASCII
    // text it compares a collator key too. It uses keys rather than QCollator::compare
    // because ICU's compare disagrees with its own keys for some texts with non-ASCII
    // digits in some locales; keys give one consistent order.
    std::vector<std::optional<QCollatorSortKey>> plainKeys(plain.size());
    auto before = [&](size_t plainIndex, const KeyedText& other) {
        std::optional<QCollatorSortKey>& key = plainKeys[plainIndex];
        if (!key)
            key = collator.sortKey(texts[size_t(plain[plainIndex])].toString());
        const int result = key->compare(other.key);
        if (result != 0)
            return descending ? result > 0 : result < 0;
        return plain[plainIndex] < other.position;
    };
    // Few other texts: find each one's place by binary search; many: walk.
    const bool search = double(rest.size()) * std::log2(double(plain.size()) + 1) < double(plain.size());
    size_t cursor = 0;
    for (const KeyedText& other : rest) {
        size_t place = cursor;
        if (search) {
            size_t count = plain.size() - cursor;
            while (count > 0) {
                const size_t half = count / 2;
                if (before(place + half, other)) {
                    place += half + 1;
                    count -= half + 1;
                } else {
                    count = half;
                }
            }
        } else {
            while (place < plain.size() && before(place, other))
                ++place;
        }
        merged.insert(merged.end(), plain.begin() + qsizetype(cursor), plain.begin() + qsizetype(place));
        merged.push_back(other.position);
        cursor = place;
    }
    merged.insert(merged.end(), plain.begin() + qsizetype(cursor), plain.end());
    return merged;
}

} // namespace quillmere
