#include "views/KeyMapping.h"
#include "models/commands/CommandCatalog.h"
#include "models/commands/CommandTable.h"
#include "support/KeyCommandText.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QtTest>

using namespace quillmere;
using C = KeyCommand::Case;

Q_DECLARE_METATYPE(std::optional<quillmere::KeyCommand>)

namespace {

std::optional<KeyCommand> map(int key, Qt::KeyboardModifiers modifiers, const QString& text,
                              bool isTextInputActive = false) {
    const QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    return KeyMapping::from(event, isTextInputActive);
}

// The press that types a binding's key: its text for a character, its key code otherwise.
QKeyEvent pressFor(const KeyTrigger& trigger) {
    const QString hint = trigger.hint();
    if (trigger.kind() == KeyTrigger::Kind::character) {
        const QKeySequence sequence(hint);
        return QKeyEvent(QEvent::KeyPress, sequence.isEmpty() ? 0 : sequence[0].key(), Qt::NoModifier, hint);
    }
    const QHash<QString, std::pair<int, QString>> keys{{u"\u21A9"_qs, {Qt::Key_Return, u"\r"_qs}},
                                                       {u"Space"_qs, {Qt::Key_Space, u" "_qs}},
                                                       {u"Esc"_qs, {Qt::Key_Escape, u"\x1b"_qs}}};
    const auto [key, text] = keys.value(hint);
    return QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text);
}

} // namespace

// A plain key outside a text field is one command; modifiers other than Shift, focus
// in a text field, and keys without a binding give none, so they reach the widgets
// and the menus.
class KeyMappingTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyCommandHasOneKeyAndEveryKeyMapsBack() {
        QHash<QString, int> rowsPerCommand;
        for (const CommandTable::Row& row : CommandTable::rows()) {
            if (!row.command) {
                QCOMPARE(row.trigger.kind(), KeyTrigger::Kind::commandShortcut);
                continue;
            }
            ++rowsPerCommand[row.command->text()];
            const QKeyEvent press = pressFor(row.trigger);
            QVERIFY2(press.key() != 0, qPrintable(row.trigger.hint()));
            QCOMPARE(KeyMapping::from(press, false), row.command);
        }
        const QList<KeyCommand> all = KeyCommand::allCommands();
        QCOMPARE(all.size(), 25);
        for (const KeyCommand& command : all)
            QVERIFY2(rowsPerCommand.value(command.text()) == 1, qPrintable(command.text()));
        QCOMPARE(rowsPerCommand.size(), all.size());
    }

    void mapsPresses_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<KeyCommand>>("command");
        const int shift = Qt::ShiftModifier;
        const std::optional<KeyCommand> none;
        // Shift changes the text, and the text decides.
        QTest::newRow("N") << int(Qt::Key_N) << shift << u"N"_qs
                           << std::optional(KeyCommand(C::createFolder));
        QTest::newRow("Shift+U") << int(Qt::Key_U) << shift << u"U"_qs << none;
        QTest::newRow("Shift+1") << int(Qt::Key_Exclam) << shift << u"!"_qs << none;
        QTest::newRow("keypad +") << int(Qt::Key_Plus) << int(Qt::KeypadModifier) << u"+"_qs
                                  << std::optional(KeyCommand(C::addBookmark));
        QTest::newRow("?") << int(Qt::Key_Question) << shift << u"?"_qs
                           << std::optional(KeyCommand(C::showHelp));
        // Key codes decide Return and Space, whatever Shift does to the text.
        QTest::newRow("Shift+Space") << int(Qt::Key_Space) << shift << u" "_qs
                                     << std::optional(KeyCommand(C::toggleMark));
        QTest::newRow("Shift+Return")
            << int(Qt::Key_Return) << shift << u"\r"_qs << std::optional(KeyCommand(C::openSelection));
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << u"\r"_qs << none;
        // Any of Control, Alt and Meta leaves the press to the menus.
        QTest::newRow("Ctrl+T") << int(Qt::Key_T) << int(Qt::ControlModifier) << u"\x14"_qs << none;
        QTest::newRow("Ctrl+1") << int(Qt::Key_1) << int(Qt::ControlModifier) << u"1"_qs << none;
        QTest::newRow("Alt+u") << int(Qt::Key_U) << int(Qt::AltModifier) << u"u"_qs << none;
        QTest::newRow("Meta+Space") << int(Qt::Key_Space) << int(Qt::MetaModifier) << u" "_qs << none;
        // Keys the focused view handles itself.
        QTest::newRow("Down") << int(Qt::Key_Down) << 0 << QString() << none;
        QTest::newRow("Tab") << int(Qt::Key_Tab) << 0 << u"\t"_qs << none;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << 0 << u"\x7f"_qs << none;
    }
    void mapsPresses() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(std::optional<KeyCommand>, command);
        QCOMPARE(map(key, Qt::KeyboardModifiers(modifiers), text), command);
    }

    void aFocusedTextFieldKeepsEveryKey() {
        QVERIFY(map(Qt::Key_U, Qt::NoModifier, u"u"_qs));
        for (const auto& [key, text] :
             {std::pair(Qt::Key_U, u"u"_qs), std::pair(Qt::Key_Space, u" "_qs),
              std::pair(Qt::Key_Return, u"\r"_qs), std::pair(Qt::Key_Escape, u"\x1b"_qs)})
            QCOMPARE(map(key, Qt::NoModifier, text, true), std::nullopt);
    }

    // The menu shortcuts in help read as the menus show them.
    void menuShortcutHintsAreThePlatformsNativeText() {
        const QHash<QString, QKeyCombination> shortcuts{
            {u"app.menu.newTab"_qs, Qt::CTRL | Qt::Key_T},
            {u"app.menu.closeTab"_qs, Qt::CTRL | Qt::Key_W},
            {u"app.menu.bookmarks"_qs, Qt::CTRL | Qt::Key_B},
            {u"app.menu.commandPalette"_qs, Qt::CTRL | Qt::Key_K},
            {u"help.command.settings"_qs, Qt::CTRL | Qt::Key_Comma}};
        int checked = 0;
        for (const CommandCatalog::Category& category : CommandCatalog::categories()) {
            for (const CommandCatalog::Entry& entry : category.entries) {
                if (!shortcuts.contains(entry.labelKey))
                    continue;
                QCOMPARE(entry.keyHint,
                         QKeySequence(shortcuts[entry.labelKey]).toString(QKeySequence::NativeText));
                ++checked;
            }
        }
        QCOMPARE(checked, shortcuts.size());
        const QString ctrl1 = QKeySequence(Qt::CTRL | Qt::Key_1).toString(QKeySequence::NativeText);
        QCOMPARE(KeyTrigger::commandShortcutHint(u"1\u20139"), ctrl1 + u"\u20139");
        QCOMPARE(KeyTrigger::commandShortcutHint(u"D"),
                 QKeySequence(Qt::CTRL | Qt::Key_D).toString(QKeySequence::NativeText));
    }
};

QTEST_MAIN(KeyMappingTest)
#include "KeyMappingTest.moc"
