#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

namespace quillmere {

class SystemCalls;

// Reads a small file whole. Gives nothing when the file is missing or unreadable.
class WholeFileReader final {
public:
    explicit WholeFileReader(std::shared_ptr<SystemCalls> calls);

    std::optional<QByteArray> read(const QString& path) const;
    bool exists(const QString& path) const;

private:
    std::shared_ptr<SystemCalls> m_calls;
};

} // namespace quillmere
