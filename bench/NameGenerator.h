#pragma once

#include <QByteArray>

#include <cstdint>
#include <random>

namespace quillmere::bench {

// One generated folder entry: a realistic, unique name and what to create.
struct GeneratedEntry {
    QByteArray name;
    bool isFolder = false;
    int64_t size = 0;
    int64_t modifiedSeconds = 0;
};

// Produces the mix of names a large photo, download or project folder holds: camera
// files, dated reports with spaces and parentheses, bare numbers, upper-case names,
// dot-files, subfolders and a few Japanese and accented names. Deterministic for a seed.
class NameGenerator final {
public:
    explicit NameGenerator(uint32_t seed = 20240301);
    GeneratedEntry entry(int index);

private:
    QByteArray name(int index, bool& isFolder);
    std::mt19937 m_random;
};

} // namespace quillmere::bench
