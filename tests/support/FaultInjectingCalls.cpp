#include "FaultInjectingCalls.h"

#include <fcntl.h>

namespace quillmere::test {

bool FaultInjectingCalls::isMutation(Primitive primitive) {
    switch (primitive) {
    case Primitive::Rename:
    case Primitive::Link:
    case Primitive::Unlink:
    case Primitive::RemoveDirectory:
    case Primitive::MakeDirectory:
    case Primitive::MakeSymlink:
    case Primitive::MakeFifo:
    case Primitive::MakeNode:
    case Primitive::Write:
    case Primitive::CopyRange:
    case Primitive::Clone: return true;
    default: return false;
    }
}

void FaultInjectingCalls::failOn(Primitive primitive, int nth, int error) {
    std::lock_guard lock(m_mutex);
    m_failures[primitive] = {nth, error};
}

void FaultInjectingCalls::failOnMutation(int nth, int error) {
    std::lock_guard lock(m_mutex);
    m_mutationFailure = std::pair{nth, error};
}

void FaultInjectingCalls::setHook(Hook hook) {
    std::lock_guard lock(m_mutex);
    m_hook = std::move(hook);
}

void FaultInjectingCalls::fakeFileSystemType(long type) {
    std::lock_guard lock(m_mutex);
    m_fileSystemType = type;
}

void FaultInjectingCalls::reset() {
    std::lock_guard lock(m_mutex);
    m_counts.clear();
    m_failures.clear();
    m_mutationFailure.reset();
    m_mutations = 0;
    m_hook = nullptr;
    m_fileSystemType.reset();
    m_renamed.clear();
}

int FaultInjectingCalls::count(Primitive primitive) const {
    std::lock_guard lock(m_mutex);
    const auto it = m_counts.find(primitive);
    return it == m_counts.end() ? 0 : it->second;
}

int FaultInjectingCalls::mutationCount() const {
    std::lock_guard lock(m_mutex);
    return m_mutations;
}

QList<QByteArray> FaultInjectingCalls::renamedPaths() const {
    std::lock_guard lock(m_mutex);
    return m_renamed;
}

int FaultInjectingCalls::statFileSystem(const char* path, struct statfs* out) {
    const int result = SystemCalls::statFileSystem(path, out);
    std::lock_guard lock(m_mutex);
    if (result == 0 && m_fileSystemType)
        out->f_type = *m_fileSystemType;
    return result;
}

int FaultInjectingCalls::countCreation(int flags) {
    if (!(flags & O_CREAT))
        return 0;
    std::unique_lock lock(m_mutex);
    ++m_mutations;
    return m_mutationFailure && m_mutations == m_mutationFailure->first ? m_mutationFailure->second : 0;
}

int FaultInjectingCalls::open(const char* path, int flags, mode_t mode) {
    if (const int error = countCreation(flags)) {
        errno = error;
        return -1;
    }
    return SystemCalls::open(path, flags, mode);
}

int FaultInjectingCalls::openAt(int dirFd, const char* name, int flags, mode_t mode) {
    if (const int error = countCreation(flags)) {
        errno = error;
        return -1;
    }
    return SystemCalls::openAt(dirFd, name, flags, mode);
}

int FaultInjectingCalls::intercept(Primitive primitive, const char* path) {
    Hook hook;
    {
        std::lock_guard lock(m_mutex);
        const int n = ++m_counts[primitive];
        if (primitive == Primitive::Rename && path)
            m_renamed.append(QByteArray(path));
        if (const auto failure = m_failures.find(primitive);
            failure != m_failures.end() && failure->second.first == n)
            return failure->second.second;
        if (isMutation(primitive)) {
            ++m_mutations;
            if (m_mutationFailure && m_mutations == m_mutationFailure->first)
                return m_mutationFailure->second;
        }
        hook = m_hook;
    }
    return hook ? hook(primitive, path) : 0;
}

} // namespace quillmere::test
