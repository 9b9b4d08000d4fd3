#include "services/terminal/PreferredTerminal.h"

#include "services/terminal/LaunchEnvironment.h"

using namespace Qt::StringLiterals;

namespace quillmere {

PreferredTerminal::PreferredTerminal(const LaunchEnvironment& environment)
    : m_environment(environment) {}

std::optional<QString> PreferredTerminal::program() const {
    const QString preferred = m_environment.environmentVariable("TERMINAL");
    if (!preferred.isEmpty())
        if (std::optional<QString> found = m_environment.findInPath(preferred))
            return found;
    static const char16_t* const fallbacks[] = {
        u"x-terminal-emulator", u"gnome-terminal", u"konsole", u"xfce4-terminal", u"kitty",
        u"alacritty",           u"xterm"};
    for (const char16_t* name : fallbacks)
        if (std::optional<QString> found = m_environment.findInPath(QString::fromUtf16(name)))
            return found;
    return std::nullopt;
}

std::optional<ProcessStart> PreferredTerminal::startIn(const QString& folder) const {
    const std::optional<QString> found = program();
    if (!found)
        return std::nullopt;
    return ProcessStart{*found, folderArguments(*found, folder), folder};
}

QStringList PreferredTerminal::folderArguments(const QString& program, const QString& folder) {
    // x-terminal-emulator, xterm and unknown programs get the working directory only.
    const QString name = program.section(u'/', -1);
    if (name == u"gnome-terminal")
        return {u"--window"_s, u"--working-directory="_s + folder};
    if (name == u"konsole")
        return {u"--workdir"_s, folder};
    if (name == u"xfce4-terminal" || name == u"ghostty")
        return {u"--working-directory="_s + folder};
    if (name == u"kitty")
        return {u"--directory"_s, folder};
    if (name == u"alacritty")
        return {u"--working-directory"_s, folder};
    if (name == u"wezterm")
        return {u"start"_s, u"--cwd"_s, folder};
    return {};
}

} // namespace quillmere
