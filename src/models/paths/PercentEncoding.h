#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace quillmere {

// The percent-encoding of a file URI's path: bytes, whatever their encoding, as %XX.
namespace PercentEncoding {

// Every byte but the unreserved characters and "/" as %XX (upper-case hex).
QByteArray encodePath(QByteArrayView bytes);
// The bytes a text of %XX escapes stands for; none when an escape is malformed.
std::optional<QByteArray> decode(QByteArrayView text);

} // namespace PercentEncoding

} // namespace quillmere
