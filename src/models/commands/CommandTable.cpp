#include "models/commands/CommandTable.h"

#include "models/commands/KeyPress.h"

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

using C = KeyCommand::Case;

KeyTrigger character(const char16_t* text) {
    return KeyTrigger::character(QString::fromUtf16(text));
}

KeyTrigger menu(const char16_t* key) {
    return KeyTrigger::commandShortcut(QString::fromUtf16(key));
}

QList<CommandTable::Row> buildRows() {
    const char* const navigation = QT_TRID_NOOP("help.section.navigation");
    const char* const view = QT_TRID_NOOP("help.section.view");
    const char* const file = QT_TRID_NOOP("help.section.file");
    const char* const mark = QT_TRID_NOOP("help.section.mark");
    const char* const batch = QT_TRID_NOOP("help.section.batch");
    const char* const tab = QT_TRID_NOOP("help.section.tab");
    const char* const app = QT_TRID_NOOP("help.section.app");
    const char* const help = QT_TRID_NOOP("help.section.help");
    return {
        {navigation, QT_TRID_NOOP("nav.openSelection"), KeyTrigger::key(Qt::Key_Return, u"\u21A9"_s),
         C::openSelection, "open selection enter"},
        {navigation, QT_TRID_NOOP("nav.goToParent"), character(u"u"), C::goToParent,
         "go to parent folder up"},
        {navigation, QT_TRID_NOOP("nav.goBack"), character(u"b"), C::goBack, "go back navigate"},
        {navigation, QT_TRID_NOOP("nav.goForward"), character(u"f"), C::goForward, "go forward navigate"},
        {view, QT_TRID_NOOP("nav.toggleHidden"), character(u"."), C::toggleHidden,
         "toggle hidden dotfiles show hide"},
        {view, QT_TRID_NOOP("nav.fuzzySearch"), character(u"s"), C::startFuzzySearch,
         "fuzzy search filter files"},
        {view, QT_TRID_NOOP("nav.sortByName"), character(u"1"), KeyCommand::sortBy(SortKey::name),
         "sort by name"},
        {view, QT_TRID_NOOP("nav.sortByDate"), character(u"2"), KeyCommand::sortBy(SortKey::dateModified),
         "sort by date modified"},
        {view, QT_TRID_NOOP("nav.sortBySize"), character(u"3"), KeyCommand::sortBy(SortKey::size),
         "sort by size"},
        {view, QT_TRID_NOOP("nav.sortByKind"), character(u"4"), KeyCommand::sortBy(SortKey::kind),
         "sort by kind type"},
        {file, QT_TRID_NOOP("nav.createFile"), character(u"n"), C::createFile, "create new file"},
        {file, QT_TRID_NOOP("nav.createFolder"), character(u"N"), C::createFolder,
         "create new folder directory"},
        {file, QT_TRID_NOOP("nav.rename"), character(u"r"), C::renameSelection, "rename file folder"},
        {file, QT_TRID_NOOP("nav.copyPath"), character(u"p"), C::copyPath, "copy path clipboard"},
        {file, QT_TRID_NOOP("nav.openInTerminal"), character(u"t"), C::openInTerminal, "open terminal shell"},
        {file, QT_TRID_NOOP("nav.openContextMenu"), character(u"k"), C::openContextMenu, "open context menu"},
        {mark, QT_TRID_NOOP("nav.toggleMark"), KeyTrigger::key(Qt::Key_Space, u"Space"_s), C::toggleMark,
         "toggle mark select"},
        {mark, QT_TRID_NOOP("nav.clearMarks"), KeyTrigger::key(Qt::Key_Escape, u"Esc"_s), C::clearMarks,
         "clear marks deselect all"},
        {batch, QT_TRID_NOOP("nav.moveMarked"), character(u"m"), C::moveMarked, "move marked files"},
        {batch, QT_TRID_NOOP("nav.copyMarked"), character(u"c"), C::copyMarked, "copy marked files"},
        {batch, QT_TRID_NOOP("nav.deleteMarked"), character(u"d"), C::deleteMarked,
         "delete marked trash remove"},
        {tab, QT_TRID_NOOP("nav.prevTab"), character(u"["), C::prevTab, "previous tab"},
        {tab, QT_TRID_NOOP("nav.nextTab"), character(u"]"), C::nextTab, "next tab"},
        {tab, QT_TRID_NOOP("nav.addBookmark"), character(u"+"), C::addBookmark, "add bookmark save"},
        {app, QT_TRID_NOOP("app.menu.newTab"), menu(u"T"), std::nullopt, ""},
        {app, QT_TRID_NOOP("app.menu.closeTab"), menu(u"W"), std::nullopt, ""},
        {app, QT_TRID_NOOP("help.command.selectTab"), menu(u"1\u20139"), std::nullopt, ""},
        {app, QT_TRID_NOOP("app.menu.bookmarks"), menu(u"B"), std::nullopt, ""},
        {app, QT_TRID_NOOP("app.menu.commandPalette"), menu(u"K"), std::nullopt, ""},
        {app, QT_TRID_NOOP("app.menu.cutFiles"), menu(u"X"), std::nullopt, ""},
        {app, QT_TRID_NOOP("app.menu.copyFiles"), menu(u"C"), std::nullopt, ""},
        {app, QT_TRID_NOOP("app.menu.pasteFiles"), menu(u"V"), std::nullopt, ""},
        {app, QT_TRID_NOOP("app.menu.undo"), menu(u"Z"), std::nullopt, ""},
        {app, QT_TRID_NOOP("app.menu.redo"), menu(u"Shift+Z"), std::nullopt, ""},
        {app, QT_TRID_NOOP("app.menu.showTrash"), menu(u"Shift+Delete"), std::nullopt, ""},
        {app, QT_TRID_NOOP("help.command.settings"), menu(u","), std::nullopt, ""},
        {help, QT_TRID_NOOP("nav.showHelp"), character(u"?"), C::showHelp, "show help shortcuts"},
    };
}

} // namespace

const QList<CommandTable::Row>& CommandTable::rows() {
    static const QList<Row> table = buildRows();
    return table;
}

const CommandTable::Row* CommandTable::rowFor(const KeyCommand& command) {
    for (const Row& row : rows())
        if (row.command == command)
            return &row;
    return nullptr;
}

std::optional<KeyCommand> CommandTable::commandFor(const KeyPress& press) {
    for (const Row& row : rows())
        if (row.command && row.trigger.matches(press))
            return row.command;
    return std::nullopt;
}

} // namespace quillmere
