#pragma once

#include "models/errors/ItemOperationError.h"
#include "models/errors/RenameError.h"

#include <QString>

#include <optional>

namespace quillmere::test {

using namespace Qt::StringLiterals;

// One line per error value, the same for equal values: readable in a failed
// comparison, and the way a child process reports its outcome to the test.
class ErrorText final {
public:
    static QString of(const RenameError& error);

    template <typename Tag> static QString of(const ItemOperationError<Tag>& error) {
        using Case = typename ItemOperationError<Tag>::Case;
        switch (error.kind) {
        case Case::permissionDenied: return u"permissionDenied(%1)"_s.arg(error.item);
        case Case::failed: return u"failed(%1, %2)"_s.arg(error.item, error.reason);
        case Case::rollbackFailed: return u"rollbackFailed(%1)"_s.arg(error.stranded.join(u", "_s));
        case Case::cancelled: return u"cancelled(%1)"_s.arg(error.stranded.join(u", "_s));
        }
        return {};
    }
};

} // namespace quillmere::test

namespace quillmere {

// Found by QCOMPARE through argument-dependent lookup.
char* toString(const RenameError& error);

template <typename Tag> char* toString(const ItemOperationError<Tag>& error) {
    return qstrdup(test::ErrorText::of(error).toUtf8().constData());
}

// So that QCOMPARE(failureOf<…>(…), std::optional(…)) also reads well when it fails.
template <typename Tag> char* toString(const std::optional<ItemOperationError<Tag>>& error) {
    return error ? toString(*error) : qstrdup("no error");
}
inline char* toString(const std::optional<RenameError>& error) {
    return error ? toString(*error) : qstrdup("no error");
}

} // namespace quillmere
