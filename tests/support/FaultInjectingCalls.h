#pragma once

#include "platform/SystemCalls.h"

#include <QByteArray>
#include <QList>

#include <functional>
#include <map>
#include <mutex>
#include <optional>

namespace quillmere::test {

// A SystemCalls that counts every call and fails the ones a test chooses.
//
// failOn(primitive, n, errno) fails the n-th call (1-based) of that primitive.
// failOnMutation(n, errno) fails the n-th call that changes the tree (rename, link,
// unlink, mkdir, create, ...), which lets a test walk a failure through every step
// of an operation. A hook sees every call with its path and may fail it too.
class FaultInjectingCalls final : public SystemCalls {
public:
    using Hook = std::function<int(Primitive, const char* path)>;

    void failOn(Primitive primitive, int nth, int error);
    void failOnMutation(int nth, int error);
    void setHook(Hook hook);
    // Makes statfs report this file-system type (for example 0x4d44, FAT).
    void fakeFileSystemType(long type);
    void reset();

    int count(Primitive primitive) const;
    int mutationCount() const;
    // Paths of the renames made so far, as "from" entries.
    QList<QByteArray> renamedPaths() const;

    int statFileSystem(const char* path, struct statfs* out) override;
    int open(const char* path, int flags, mode_t mode = 0) override;
    int openAt(int dirFd, const char* name, int flags, mode_t mode = 0) override;

    static bool isMutation(Primitive primitive);

protected:
    int intercept(Primitive primitive, const char* path) override;

private:
    // Creating a file changes the tree; opening one for reading does not. Returns an errno to fail with.
    int countCreation(int flags);

    mutable std::mutex m_mutex;
    std::map<Primitive, int> m_counts;
    std::map<Primitive, std::pair<int, int>> m_failures; // nth call, errno
    std::optional<std::pair<int, int>> m_mutationFailure;
    int m_mutations = 0;
    Hook m_hook;
    std::optional<long> m_fileSystemType;
    QList<QByteArray> m_renamed;
};

} // namespace quillmere::test
