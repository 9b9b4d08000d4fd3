#include "NameGenerator.h"

#include <array>
#include <cstdio>

namespace quillmere::bench {
namespace {

template <typename... Values> QByteArray format(const char* pattern, Values... values) {
    char buffer[256];
    const int length = std::snprintf(buffer, sizeof buffer, pattern, values...);
    return QByteArray(buffer, length);
}

constexpr std::array reportWords = {"Report", "Invoice", "Meeting notes", "Budget", "Minutes", "Offer"};
constexpr std::array reportStates = {"(final)", "(draft)", "(v2)", "(copy)", "", "(signed)"};
constexpr std::array extensions = {"pdf", "docx", "txt", "md", "xlsx", "json", "png", "tar.gz", "cpp", "mov"};

} // namespace

NameGenerator::NameGenerator(uint32_t seed)
    : m_random(seed) {}

GeneratedEntry NameGenerator::entry(int index) {
    GeneratedEntry out;
    out.name = name(index, out.isFolder);
    // Sizes spread over six orders of magnitude; some files are empty.
    std::uniform_int_distribution<int> digits(0, 7);
    std::uniform_int_distribution<int64_t> mantissa(1, 9);
    const int power = digits(m_random);
    int64_t scale = 1;
    for (int p = 1; p < power; ++p)
        scale *= 10;
    out.size = out.isFolder || power == 0 ? 0 : mantissa(m_random) * scale;
    std::uniform_int_distribution<int64_t> seconds(1420070400, 1735689600); // 2015 to 2025
    out.modifiedSeconds = seconds(m_random);
    return out;
}

QByteArray NameGenerator::name(int i, bool& isFolder) {
    std::uniform_int_distribution<int> percent(0, 99);
    const int kind = percent(m_random);
    const int day = 1 + i % 28;
    const int month = 1 + (i / 28) % 12;
    const int year = 2015 + (i / 336) % 10;
    isFolder = false;
    if (kind < 18)
        return format("IMG_%04d.JPG", i);
    if (kind < 26)
        return format("DSC%05d.jpg", i);
    if (kind < 30)
        return format("PXL_%04d%02d%02d_%09d.jpg", year, month, day, i);
    if (kind < 45) {
        const char* word = reportWords[size_t(i) % reportWords.size()];
        const char* state = reportStates[size_t(i / 7) % reportStates.size()];
        return format("%s %04d-%02d-%02d %s %d.pdf", word, year, month, day, state, i);
    }
    if (kind < 53)
        return i % 3 == 0 ? format("%07d", i) : format("%d.txt", i);
    if (kind < 61)
        return i % 2 == 0 ? format("README_%d.TXT", i) : format("BACKUP %d.ZIP", i);
    if (kind < 65)
        return i % 2 == 0 ? format(".config-%d", i) : format(".cache_%d.json", i);
    if (kind < 71) {
        isFolder = true;
        return i % 2 == 0 ? format("Project %d", i) : format("src-%d", i);
    }
    if (kind < 74) {
        switch (i % 5) {
        case 0:
            return format("\xE5\x86\x99\xE7\x9C\x9F %04d-%02d-%02d (%d).jpg", year, month, day, i); // 写真
        case 1: return format("\xE3\x83\xAC\xE3\x83\x9D\xE3\x83\xBC\xE3\x83\x88_%d.pdf", i); // レポート
        case 2: return format("Cafe\xCC\x81 %d.txt", i);                            // e + combining acute
        case 3: return format("r\xC3\xA9sum\xC3\xA9 %d.pdf", i);                    // résumé, precomposed
        default: return format("\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD notes %d.txt", i); // thumbs up, skin tone
        }
    }
    const char* extension = extensions[size_t(i) % extensions.size()];
    switch (i % 4) {
    case 0: return format("notes-%d.%s", i, extension);
    case 1: return format("draft_v%d.%s", i, extension);
    case 2: return format("archive %d.%s", i, extension);
    default: return format("main%d.%s", i, extension);
    }
}

} // namespace quillmere::bench
