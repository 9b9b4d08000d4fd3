#pragma once

#include <QString>
#include <QStringList>

#include <exception>

namespace quillmere {

// The shape shared by the errors of the multi-item operations (trash, move, copy,
// batch rename). Items are single names, never paths. Tag makes each operation's
// error a type of its own, so a caller catches exactly what an operation throws.
template <typename Tag> struct ItemOperationError : std::exception {
    enum class Case { permissionDenied, failed, rollbackFailed, cancelled };

    Case kind = Case::failed;
    QString item;
    QString reason;
    QStringList stranded; // names left out of place, in the order the rollback met them

    static ItemOperationError permissionDenied(QString name) {
        return {Case::permissionDenied, std::move(name), {}, {}};
    }
    static ItemOperationError failed(QString name, QString why) {
        return {Case::failed, std::move(name), std::move(why), {}};
    }
    static ItemOperationError rollbackFailed(QStringList names) {
        return {Case::rollbackFailed, {}, {}, std::move(names)};
    }

    // The user stopped the operation and it was rolled back; stranded names what could
    // not be put back (nothing when everything was).
    static ItemOperationError cancelled(QStringList names) {
        return {Case::cancelled, {}, {}, std::move(names)};
    }

    ItemOperationError(Case c, QString name, QString why, QStringList left)
        : kind(c)
        , item(std::move(name))
        , reason(std::move(why))
        , stranded(std::move(left)) {}

    bool operator==(const ItemOperationError& other) const {
        return kind == other.kind && item == other.item && reason == other.reason &&
               stranded == other.stranded;
    }
    const char* what() const noexcept override { return Tag::name; }
};

} // namespace quillmere
