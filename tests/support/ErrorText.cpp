#include "ErrorText.h"

namespace quillmere::test {

QString ErrorText::of(const RenameError& error) {
    switch (error.kind) {
    case RenameError::Case::collision: return QStringLiteral("collision");
    case RenameError::Case::permissionDenied: return QStringLiteral("permissionDenied");
    case RenameError::Case::other: return QStringLiteral("other(%1)").arg(error.description);
    }
    return {};
}

} // namespace quillmere::test

namespace quillmere {

char* toString(const RenameError& error) {
    return qstrdup(test::ErrorText::of(error).toUtf8().constData());
}

} // namespace quillmere
