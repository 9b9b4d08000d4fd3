#pragma once

#include <QString>

namespace quillmere {

// The number a sequential batch rename gives the entry at one position, written as
// printf's "%0*lld" would write it: at least `width` characters, zeros after a minus
// sign, no padding for a width of 0 or less.
//
// Past the largest 64-bit value the count goes on exactly (9223372036854775808, ...)
// instead of wrapping round to negative numbers, so the names stay distinct and in order.
namespace RunningNumber {

// position counts from 0 and is never negative.
QString text(qint64 start, qint64 position, qsizetype width);

} // namespace RunningNumber

} // namespace quillmere
