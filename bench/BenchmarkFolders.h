#pragma once

#include "models/listing/FileItem.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <map>

namespace quillmere::bench {

// The generated folders of one benchmark run, made on first use under a temporary
// folder and removed when the run ends, with their listings kept for the sorting and
// filtering benchmarks.
class BenchmarkFolders final {
public:
    BenchmarkFolders();
    ~BenchmarkFolders();
    BenchmarkFolders(const BenchmarkFolders&) = delete;
    BenchmarkFolders& operator=(const BenchmarkFolders&) = delete;

    static BenchmarkFolders& shared();

    // The folder with `count` entries (the entries of dot-files included).
    QString folder(int count);
    // Its listing with hidden entries, in the order the file system returns them.
    const QList<FileItem>& listing(int count);

    QByteArray root() const { return m_root; }
    QString fileSystemType() const;

private:
    QByteArray create(int count);

    QByteArray m_root;
    std::map<int, QByteArray> m_folders;
    std::map<int, QList<FileItem>> m_listings;
};

} // namespace quillmere::bench
