#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace quillmere {

// Converts Linux file names (bytes) to QString and back without loss.
//
// Valid UTF-8 decodes normally. Every byte that is not part of valid UTF-8 becomes
// the lone surrogate U+DC00 + byte (U+DC80..U+DCFF), and encoding turns such a
// surrogate back into the same byte. Names with invalid UTF-8 therefore survive a
// round trip through the program unchanged.
namespace PathCodec {

QString decode(QByteArrayView bytes);
QByteArray encode(QStringView text);

// The text to show for a decoded name: escaped bytes become U+FFFD.
QString displayText(QStringView text);

// True when the text holds an escaped byte.
bool hasEscapedBytes(QStringView text);

} // namespace PathCodec

} // namespace quillmere
