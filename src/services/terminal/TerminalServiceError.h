#pragma once

#include "models/settings/TerminalApp.h"

#include <QString>

#include <exception>

namespace quillmere {

// Why a terminal could not be opened. The only case: the application is not there.
struct TerminalServiceError : std::exception {
    enum class Case { appNotFound };

    Case kind = Case::appNotFound;
    TerminalApp app = TerminalApp::wezterm;

    static TerminalServiceError appNotFound(TerminalApp missing) { return {Case::appNotFound, missing}; }

    TerminalServiceError(Case c, TerminalApp a)
        : kind(c)
        , app(a) {}

    // The text shown to the user, for example "WezTermが見つかりません。インストールしてください。".
    QString description() const;

    bool operator==(const TerminalServiceError& other) const {
        return kind == other.kind && app == other.app;
    }
    const char* what() const noexcept override { return "TerminalServiceError"; }
};

} // namespace quillmere
