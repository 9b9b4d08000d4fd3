#include "models/commands/KeyCommand.h"

#include "models/commands/CommandTable.h"
#include "models/commands/KeyPress.h"

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

QString caseName(KeyCommand::Case command) {
    using C = KeyCommand::Case;
    switch (command) {
    case C::sortBy: return u"sortBy"_s;
    case C::goToParent: return u"goToParent"_s;
    case C::openSelection: return u"openSelection"_s;
    case C::goBack: return u"goBack"_s;
    case C::goForward: return u"goForward"_s;
    case C::toggleHidden: return u"toggleHidden"_s;
    case C::copyPath: return u"copyPath"_s;
    case C::openInTerminal: return u"openInTerminal"_s;
    case C::renameSelection: return u"renameSelection"_s;
    case C::toggleMark: return u"toggleMark"_s;
    case C::clearMarks: return u"clearMarks"_s;
    case C::deleteMarked: return u"deleteMarked"_s;
    case C::moveMarked: return u"moveMarked"_s;
    case C::copyMarked: return u"copyMarked"_s;
    case C::startFuzzySearch: return u"startFuzzySearch"_s;
    case C::addBookmark: return u"addBookmark"_s;
    case C::prevTab: return u"prevTab"_s;
    case C::nextTab: return u"nextTab"_s;
    case C::createFile: return u"createFile"_s;
    case C::createFolder: return u"createFolder"_s;
    case C::openContextMenu: return u"openContextMenu"_s;
    case C::showHelp: return u"showHelp"_s;
    }
    return {};
}

} // namespace

QString KeyCommand::text() const {
    if (m_case == Case::sortBy)
        return caseName(m_case) + u'(' + rawText(m_sortKey) + u')';
    return caseName(m_case);
}

QList<KeyCommand> KeyCommand::allCommands() {
    QList<KeyCommand> commands;
    for (int i = 0; i < caseCount; ++i) {
        const auto command = Case(i);
        if (command != Case::sortBy) {
            commands.append(command);
            continue;
        }
        for (SortKey key : allSortKeys)
            commands.append(sortBy(key));
    }
    return commands;
}

std::optional<KeyCommand> KeyCommand::from(const KeyPress& press, bool isTextInputActive) {
    if (isTextInputActive)
        return std::nullopt;
    if (press.modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    return CommandTable::commandFor(press);
}

} // namespace quillmere
