#pragma once

#include "models/listing/SortKey.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace quillmere {

struct KeyPress;

// One action of the main window, whatever started it: a key, the command palette, a
// context menu or a tool button. A plain value; two sortBy commands are equal when
// they sort by the same key.
class KeyCommand final {
public:
    enum class Case {
        sortBy,
        goToParent,
        openSelection,
        goBack,
        goForward,
        toggleHidden,
        copyPath,
        openInTerminal,
        renameSelection,
        toggleMark,
        clearMarks,
        deleteMarked,
        moveMarked,
        copyMarked,
        startFuzzySearch,
        addBookmark,
        prevTab,
        nextTab,
        createFile,
        createFolder,
        openContextMenu,
        showHelp,
    };
    static constexpr int caseCount = 22;
    static_assert(int(Case::showHelp) + 1 == caseCount, "caseCount counts every case; showHelp is the last");

    // The sort key is kept only for sortBy, so equality needs no special case.
    constexpr KeyCommand(Case command, SortKey key = SortKey::name)
        : m_case(command)
        , m_sortKey(command == Case::sortBy ? key : SortKey::name) {}
    static constexpr KeyCommand sortBy(SortKey key) { return KeyCommand(Case::sortBy, key); }

    constexpr Case command() const { return m_case; }
    // Meaningful for sortBy only.
    constexpr SortKey sortKey() const { return m_sortKey; }

    // The case name, with the sort key for sortBy ("sortBy(size)"): for log lines and as
    // a label of last resort.
    QString text() const;

    // Every distinct command: the 21 cases without payload and sortBy once per key.
    static QList<KeyCommand> allCommands();

    // The command a key press stands for, if any. Nothing while a text field has focus,
    // and nothing with Control, Alt or Meta held, so menu shortcuts keep working;
    // Shift alone does not prevent a match.
    static std::optional<KeyCommand> from(const KeyPress& press, bool isTextInputActive);

    constexpr bool operator==(const KeyCommand&) const = default;

private:
    Case m_case;
    SortKey m_sortKey;
};

} // namespace quillmere
