#include "models/commands/KeyCommand.h"

#include "models/commands/CommandTable.h"
#include "models/commands/KeyPress.h"

namespace quillmere {
namespace {

QString caseName(KeyCommand::Case command) {
    using C = KeyCommand::Case;
    switch (command) {
    case C::sortBy: return QStringLiteral("sortBy");
    case C::goToParent: return QStringLiteral("goToParent");
    case C::openSelection: return QStringLiteral("openSelection");
    case C::goBack: return QStringLiteral("goBack");
    case C::goForward: return QStringLiteral("goForward");
    case C::toggleHidden: return QStringLiteral("toggleHidden");
    case C::copyPath: return QStringLiteral("copyPath");
    case C::openInTerminal: return QStringLiteral("openInTerminal");
    case C::renameSelection: return QStringLiteral("renameSelection");
    case C::toggleMark: return QStringLiteral("toggleMark");
    case C::clearMarks: return QStringLiteral("clearMarks");
    case C::deleteMarked: return QStringLiteral("deleteMarked");
    case C::moveMarked: return QStringLiteral("moveMarked");
    case C::copyMarked: return QStringLiteral("copyMarked");
    case C::startFuzzySearch: return QStringLiteral("startFuzzySearch");
    case C::addBookmark: return QStringLiteral("addBookmark");
    case C::prevTab: return QStringLiteral("prevTab");
    case C::nextTab: return QStringLiteral("nextTab");
    case C::createFile: return QStringLiteral("createFile");
    case C::createFolder: return QStringLiteral("createFolder");
    case C::openContextMenu: return QStringLiteral("openContextMenu");
    case C::showHelp: return QStringLiteral("showHelp");
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
