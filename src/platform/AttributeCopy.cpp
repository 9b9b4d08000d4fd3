#include "AttributeCopy.h"

#include "PathCodec.h"
#include "PlatformError.h"
#include "SystemCalls.h"

#include <cerrno>
#include <cstring>
#include <vector>

namespace quillmere {
namespace {

bool isRefusal(int code) {
    return code == ENOTSUP || code == EOPNOTSUPP || code == EPERM || code == EACCES || code == E2BIG ||
           code == ERANGE || code == EINVAL;
}

// Reads into buffer what read(buffer, size) returns, growing it while the value grows.
template <typename Read> bool readGrowing(std::vector<char>& buffer, Read read) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        const ssize_t size = read(nullptr, 0);
        if (size < 0)
            return false;
        buffer.resize(size_t(size));
        if (size == 0)
            return true;
        const ssize_t got = read(buffer.data(), buffer.size());
        if (got >= 0) {
            buffer.resize(size_t(got));
            return true;
        }
        if (errno != ERANGE)
            return false;
    }
    return false;
}

} // namespace

int AttributeCopy::run(SystemCalls& calls, int in, int out, const QByteArray& destination) {
    std::vector<char> names;
    // A source without attribute support has nothing to carry over.
    if (!readGrowing(names,
                     [&](char* buffer, size_t size) { return calls.listAttributes(in, buffer, size); }))
        return 0;
    int refused = 0;
    std::vector<char> value;
    for (size_t at = 0; at < names.size();) {
        const char* name = names.data() + at;
        at += std::strlen(name) + 1;
        if (!readGrowing(
                value, [&](char* buffer, size_t size) { return calls.getAttribute(in, name, buffer, size); }))
            continue; // removed meanwhile, or not readable by this process
        if (calls.setAttribute(out, name, value.data(), value.size()) == 0)
            continue;
        if (!isRefusal(errno))
            throw PlatformError::fromErrno(PathCodec::decode(destination));
        ++refused;
    }
    return refused;
}

} // namespace quillmere
