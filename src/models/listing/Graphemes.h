#pragma once

#include <QStringView>

#include <vector>

namespace quillmere {

// Splits text into user-perceived characters (extended grapheme clusters), so that
// "e" with a combining accent, or an emoji with a skin-tone modifier, counts as one.
namespace Graphemes {

std::vector<QStringView> split(QStringView text);

// True when every code unit of the text is a cluster of its own: nothing at or
// above U+0300 (where combining marks, surrogates and joiners start) and no CR,
// which joins a following LF.
bool isOneUnitEach(QStringView text);

} // namespace Graphemes

} // namespace quillmere
