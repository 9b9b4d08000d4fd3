#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

namespace quillmere {

class SystemCalls;

// Removes an item permanently: a folder with everything inside it, depth first.
// Symbolic links are removed as links; nothing they point to is touched.
class TreeRemover final {
public:
    explicit TreeRemover(std::shared_ptr<SystemCalls> calls);

    // Throws PlatformError for the first item that cannot be removed.
    void remove(const QString& path) const;
    void removeBytes(const QByteArray& path) const;
    // The same, counting in removed the items that are gone, also when it throws.
    void removeBytes(const QByteArray& path, int& removed) const;

private:
    std::shared_ptr<SystemCalls> m_calls;
};

} // namespace quillmere
