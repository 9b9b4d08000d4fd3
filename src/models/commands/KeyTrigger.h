#pragma once

#include <QString>

namespace quillmere {

struct KeyPress;

// How one binding of the command table is pressed, and the hint that shows it.
// A character binding matches the text a press produces, whatever keys produced it;
// a key binding matches the key code whatever the text (Shift+Space is still Space);
// a command shortcut belongs to the menus and never matches a plain press.
class KeyTrigger final {
public:
    enum class Kind { character, key, commandShortcut };

    static KeyTrigger character(QString text);
    static KeyTrigger key(int qtKey, QString hint);
    static KeyTrigger commandShortcut(QString key);

    Kind kind() const { return m_kind; }
    bool matches(const KeyPress& press) const;
    // The key as printed in help and hints; never translated.
    QString hint() const;

    // A Command (Ctrl on Linux) shortcut written as the platform writes it, the same
    // text as QKeySequence::NativeText: "Ctrl+T" here, "⌘T" on macOS.
    static QString commandShortcutHint(QStringView key);

    bool operator==(const KeyTrigger&) const = default;

private:
    KeyTrigger(Kind kind, int qtKey, QString text);

    Kind m_kind;
    int m_key;
    QString m_text;
};

} // namespace quillmere
