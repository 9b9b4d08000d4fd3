#pragma once

#include <QString>

#include "FileIdentity.h"

#include <memory>
#include <optional>

namespace quillmere {

class SystemCalls;

// The yes-or-no questions asked about a single path, through the injected calls so a
// test can fake or fail each of them. A call that fails answers no. Each question is
// one stat: ask it off the user-interface thread where the contract allows.
class PathProbe final {
public:
    // Asks the kernel itself (SystemCalls::real()).
    PathProbe();
    explicit PathProbe(std::shared_ptr<SystemCalls> calls);

    // Anything at the path, links followed: a link whose target is gone is missing.
    bool exists(const QString& path) const;
    // The entry itself is a folder; a link to a folder is not.
    bool isFolder(const QString& path) const;
    // Which item the entry itself is (a link is not followed); nothing when none is there
    // or the path is empty.
    std::optional<FileIdentity> identity(const QString& path) const;

private:
    std::shared_ptr<SystemCalls> m_calls;
};

} // namespace quillmere
