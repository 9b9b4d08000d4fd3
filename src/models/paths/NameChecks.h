#pragma once

#include <QSet>
#include <QString>

namespace quillmere {

// Whether a rename sheet may go ahead with the name typed so far.
enum class RenameNameCheck { valid, unchanged, empty, invalidCharacters };

// Whether a create sheet may go ahead with the name typed so far.
enum class CreateNameCheck { ok, empty, invalidCharacter, alreadyExists };

// First match wins: empty (a name of spaces is not), a "/" or ":", the current name
// exactly, else valid.
RenameNameCheck renameNameCheck(const QString& newName, const QString& currentName);

// First match wins: nothing but blanks, a "/" or NUL, one of the existing names exactly
// (untrimmed), else ok. Colons are allowed: only renames refuse them.
CreateNameCheck createNameCheck(const QString& name, const QSet<QString>& existingNames);

// Blanks are the tab and the Unicode space separators (space, no-break space, ideographic
// space, ...); line breaks are not blanks, so a name holding one is never trimmed away.
bool isBlank(QChar c);
QString trimmedBlanks(const QString& text);

} // namespace quillmere
