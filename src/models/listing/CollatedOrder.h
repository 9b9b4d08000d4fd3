#pragma once

#include <QCollator>
#include <QStringView>

#include <vector>

namespace quillmere {

// Orders texts by a collator the way a stable sort with QCollator::compare would,
// without calling the collator for each comparison.
//
// Printable ASCII texts get AsciiCollation keys; other texts get the collator's own
// sort keys. Both groups are sorted by key, then merged, which costs one collator
// key per text at most. Texts the collator finds equal keep their input order, in
// both directions.
namespace CollatedOrder {

std::vector<qsizetype> of(const std::vector<QStringView>& texts, const QCollator& collator, bool descending);

} // namespace CollatedOrder

} // namespace quillmere
