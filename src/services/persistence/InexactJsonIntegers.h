#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace quillmere {

// QJsonDocument keeps a plain integer within 64 bits exactly, but reads any other
// number through a double and then turns a whole double within 64 bits into an
// integer. "9007199254740993.0" so arrives as ...992 and "-9223372036854775809" as
// the smallest 64-bit integer, with nothing left in the QJsonValue to tell. This
// looks at the numbers in the document's text instead, so that such a file is
// refused rather than misread.
namespace InexactJsonIntegers {

// The first number in the JSON text that Qt would read as an integer other than
// the one written; nothing when there is none. Text that is not valid JSON is
// left for the parser to refuse.
std::optional<QByteArray> first(QByteArrayView json);

} // namespace InexactJsonIntegers

} // namespace quillmere
