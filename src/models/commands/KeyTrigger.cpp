#include "models/commands/KeyTrigger.h"

#include "models/commands/KeyPress.h"

namespace quillmere {

KeyTrigger::KeyTrigger(Kind kind, int qtKey, QString text)
    : m_kind(kind)
    , m_key(qtKey)
    , m_text(std::move(text)) {}

KeyTrigger KeyTrigger::character(QString text) {
    return KeyTrigger(Kind::character, 0, std::move(text));
}

KeyTrigger KeyTrigger::key(int qtKey, QString hint) {
    return KeyTrigger(Kind::key, qtKey, std::move(hint));
}

KeyTrigger KeyTrigger::commandShortcut(QString key) {
    return KeyTrigger(Kind::commandShortcut, 0, std::move(key));
}

bool KeyTrigger::matches(const KeyPress& press) const {
    switch (m_kind) {
    case Kind::character: return press.text == m_text;
    case Kind::key: return press.key == m_key;
    case Kind::commandShortcut: return false;
    }
    return false;
}

QString KeyTrigger::hint() const {
    return m_kind == Kind::commandShortcut ? commandShortcutHint(m_text) : m_text;
}

QString KeyTrigger::commandShortcutHint(QStringView key) {
#ifdef Q_OS_MACOS
    return u"\u2318" + key.toString();
#else
    return u"Ctrl+" + key.toString();
#endif
}

} // namespace quillmere
