#pragma once

#include "models/commands/KeyCommand.h"

#include <QTest>

#include <optional>

namespace quillmere {

using namespace Qt::StringLiterals;

// Readable failures for QCOMPARE on commands (found by argument-dependent lookup).
inline char* toString(const KeyCommand& command) {
    return QTest::toString(command.text());
}

inline char* toString(const std::optional<KeyCommand>& command) {
    return QTest::toString(command ? command->text() : u"no command"_s);
}

} // namespace quillmere
