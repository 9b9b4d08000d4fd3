#include "ErrorText.h"

using namespace Qt::StringLiterals;

namespace quillmere::test {

QString ErrorText::of(const RenameError& error) {
    switch (error.kind) {
    case RenameError::Case::collision: return u"collision"_s;
    case RenameError::Case::permissionDenied: return u"permissionDenied"_s;
    case RenameError::Case::other: return u"other(%1)"_s.arg(error.description);
    }
    return {};
}

} // namespace quillmere::test

namespace quillmere {

char* toString(const RenameError& error) {
    return qstrdup(test::ErrorText::of(error).toUtf8().constData());
}

} // namespace quillmere
