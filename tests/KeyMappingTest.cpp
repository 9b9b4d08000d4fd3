#include "views/keyboard/KeyMapping.h"
#include "models/commands/CommandTable.h"
#include "support/KeyCommandText.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QtTest>

using namespace Qt::StringLiterals;

using namespace quillmere;
using C = KeyCommand::Case;

Q_DECLARE_METATYPE(std::optional<quillmere::KeyCommand>)

namespace {

std::optional<KeyCommand> map(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    return KeyMapping::from(QKeyEvent(QEvent::KeyPress, key, modifiers, text), false);
}

} // namespace

// A plain key outside a text field is one command; modifiers other than Shift, focus
// in a text field, and keys without a binding give none, so they reach the widgets
// and the menus.
class KeyMappingTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Two rows typing the same character would leave one command unreachable.
    void everyCharacterBindingMapsBackToItsCommand() {
        for (const CommandTable::Row& row : CommandTable::rows()) {
            if (!row.command) {
                QCOMPARE(row.trigger.kind(), KeyTrigger::Kind::commandShortcut);
                continue;
            }
            if (row.trigger.kind() != KeyTrigger::Kind::character)
                continue; // Return, Space and Escape: rows below and the monitor's test
            const QString text = row.trigger.hint();
            QCOMPARE(map(QKeySequence(text)[0].key(), Qt::NoModifier, text), row.command);
        }
    }

    void mapsPresses_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<KeyCommand>>("command");
        const int shift = Qt::ShiftModifier;
        const std::optional<KeyCommand> none;
        // Shift changes the text, and the text decides.
        QTest::newRow("N") << int(Qt::Key_N) << shift << u"N"_s << std::optional(KeyCommand(C::createFolder));
        QTest::newRow("Shift+U") << int(Qt::Key_U) << shift << u"U"_s << none;
        QTest::newRow("Shift+1") << int(Qt::Key_Exclam) << shift << u"!"_s << none;
        QTest::newRow("keypad +") << int(Qt::Key_Plus) << int(Qt::KeypadModifier) << u"+"_s
                                  << std::optional(KeyCommand(C::addBookmark));
        // Key codes decide Return and Space, whatever Shift does to the text.
        QTest::newRow("Shift+Space") << int(Qt::Key_Space) << shift << u" "_s
                                     << std::optional(KeyCommand(C::toggleMark));
        QTest::newRow("Shift+Return")
            << int(Qt::Key_Return) << shift << u"\r"_s << std::optional(KeyCommand(C::openSelection));
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << u"\r"_s << none;
        // Any of Control, Alt and Meta leaves the press to the menus.
        QTest::newRow("Ctrl+1") << int(Qt::Key_1) << int(Qt::ControlModifier) << u"1"_s << none;
        QTest::newRow("Alt+u") << int(Qt::Key_U) << int(Qt::AltModifier) << u"u"_s << none;
        QTest::newRow("Meta+Space") << int(Qt::Key_Space) << int(Qt::MetaModifier) << u" "_s << none;
        QTest::newRow("Down") << int(Qt::Key_Down) << 0 << QString() << none;
    }
    void mapsPresses() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(std::optional<KeyCommand>, command);
        QCOMPARE(map(key, Qt::KeyboardModifiers(modifiers), text), command);
        QCOMPARE(
            KeyMapping::from(QKeyEvent(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text), true),
            std::nullopt);
    }

    // The menu shortcuts in help read as the menus show them.
    void menuShortcutHintsAreThePlatformsNativeText() {
        QCOMPARE(KeyTrigger::commandShortcutHint(u","),
                 QKeySequence(Qt::CTRL | Qt::Key_Comma).toString(QKeySequence::NativeText));
        const QString ctrl1 = QKeySequence(Qt::CTRL | Qt::Key_1).toString(QKeySequence::NativeText);
        QCOMPARE(KeyTrigger::commandShortcutHint(u"1\u20139"), ctrl1 + u"\u20139");
    }
};

QTEST_MAIN(KeyMappingTest)
#include "KeyMappingTest.moc"
