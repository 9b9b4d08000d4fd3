#include "models/paths/NameChecks.h"

namespace quillmere {

RenameNameCheck renameNameCheck(const QString& newName, const QString& currentName) {
    if (newName.isEmpty())
        return RenameNameCheck::empty;
    if (newName.contains(u'/') || newName.contains(u':'))
        return RenameNameCheck::invalidCharacters;
    if (newName == currentName)
        return RenameNameCheck::unchanged;
    return RenameNameCheck::valid;
}

CreateNameCheck createNameCheck(const QString& name, const QSet<QString>& existingNames) {
    if (trimmedBlanks(name).isEmpty())
        return CreateNameCheck::empty;
    if (name.contains(u'/') || name.contains(QChar(0)))
        return CreateNameCheck::invalidCharacter;
    if (existingNames.contains(name))
        return CreateNameCheck::alreadyExists;
    return CreateNameCheck::ok;
}

bool isBlank(QChar c) {
    return c == u'\t' || c.category() == QChar::Separator_Space;
}

QString trimmedBlanks(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && isBlank(text[start]))
        ++start;
    while (end > start && isBlank(text[end - 1]))
        --end;
    return text.sliced(start, end - start);
}

} // namespace quillmere
