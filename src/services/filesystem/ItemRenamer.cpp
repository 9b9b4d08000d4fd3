#include "services/filesystem/ItemRenamer.h"

#include "models/errors/RenameError.h"
#include "models/paths/FileName.h"
#include "models/paths/FilePath.h"
#include "platform/FilePrimitives.h"
#include "platform/PathCodec.h"
#include "platform/PlatformError.h"

#include <QCoreApplication>
#include <QUuid>

namespace quillmere {
namespace {

constexpr qsizetype maximumNameBytes = 255;

RenameError classified(const PlatformError& error) {
    switch (error.errorClass()) {
    case ErrorClass::nameExists: return RenameError::collision();
    case ErrorClass::permission: return RenameError::permissionDenied();
    case ErrorClass::other: break;
    }
    return RenameError::other(error.description());
}

// A name that would address another folder or no item at all.
bool isUnsafeName(const QString& name) {
    return name.isEmpty() || name == u"." || name == u".." || name.contains(u'/') || name.contains(QChar(0));
}

QString renameThroughTemporaryName(FilePrimitives& primitives, const QString& path,
                                   const QString& destination, const QString& newName) {
    const QString temporary =
        FilePath::appending(FilePath::parent(path), ItemRenamer::temporaryName(newName));
    try {
        primitives.mover.rename(path, temporary);
    } catch (const PlatformError& error) {
        throw classified(error);
    }
    try {
        primitives.mover.rename(temporary, destination);
        return destination;
    } catch (const PlatformError& error) {
        try {
            primitives.mover.rename(temporary, path);
        } catch (const PlatformError&) {
            // The item keeps its temporary name; the error of the failed step is what is reported.
        }
        throw classified(error);
    }
}

} // namespace

QString ItemRenamer::temporaryName(const QString& newName) {
    const QString suffix = u'.' + QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper() + u".tmp";
    QByteArray stem = PathCodec::encode(newName);
    const qsizetype room = maximumNameBytes - suffix.size();
    if (stem.size() > room) {
        qsizetype cut = room;
        while (cut > 0 && (uchar(stem[cut]) & 0xC0) == 0x80)
            --cut;
        stem.truncate(cut);
    }
    return PathCodec::decode(stem) + suffix;
}

QString ItemRenamer::rename(FilePrimitives& primitives, const QString& path, const QString& requestedName) {
    if (isUnsafeName(requestedName))
        throw RenameError::other(
            QCoreApplication::translate("ItemRenamer", "“%1” is not a valid name").arg(requestedName));
    // The same bytes on disk, but the returned location is the one the listing will report.
    const QString newName = FileName::asListed(requestedName);
    const QString parent = FilePath::parent(path);
    const QString destination = FilePath::appending(parent, newName);
    const QString oldName = FilePath::lastComponent(path);
    try {
        primitives.mover.rename(path, destination);
        return destination;
    } catch (const PlatformError& error) {
        const bool caseOnly = error.errorClass() == ErrorClass::nameExists && newName != oldName &&
                              newName.toLower() == oldName.toLower();
        if (!caseOnly)
            throw classified(error);
        const std::optional<bool> caseSensitive = primitives.caseProbe.supportsCaseSensitiveNames(parent);
        if (!caseSensitive || *caseSensitive)
            throw classified(error);
    }
    return renameThroughTemporaryName(primitives, path, destination, newName);
}

} // namespace quillmere
