#pragma once

#include <QString>

#include <exception>

namespace quillmere {

// A stored file whose contents do not form the expected record: a missing required
// key, a value of the wrong type, an unknown enumeration text.
struct JsonDecodeError : std::exception {
    explicit JsonDecodeError(QString why)
        : reason(std::move(why)) {}
    QString reason;
    const char* what() const noexcept override { return "JsonDecodeError"; }
};

} // namespace quillmere
