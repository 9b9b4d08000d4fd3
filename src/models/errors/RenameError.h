#pragma once

#include <QString>

#include <exception>

namespace quillmere {

// Why a single rename failed.
struct RenameError : std::exception {
    enum class Case { other, collision, permissionDenied };

    Case kind = Case::other;
    QString description; // the platform's text, for `other` only

    static RenameError other(QString text) { return RenameError(Case::other, std::move(text)); }
    static RenameError collision() { return RenameError(Case::collision, {}); }
    static RenameError permissionDenied() { return RenameError(Case::permissionDenied, {}); }

    RenameError(Case c, QString text)
        : kind(c)
        , description(std::move(text)) {}

    bool operator==(const RenameError& other) const {
        return kind == other.kind && description == other.description;
    }
    const char* what() const noexcept override { return "RenameError"; }
};

} // namespace quillmere
