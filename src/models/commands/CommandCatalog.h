#pragma once

#include "models/commands/KeyCommand.h"

#include <QList>
#include <QString>

#include <optional>

namespace quillmere {

// The bindings as the user is shown them, grouped by subject: the help panel, the
// palette's command list and the tool buttons' tooltips read them here. Built once
// from the command table and never changed. Label and title keys are looked up
// with qtTrId; key hints are shown as they are.
namespace CommandCatalog {

struct Entry {
    QString labelKey;
    QString keyHint;
    std::optional<KeyCommand> command; // absent for menu shortcuts
    bool operator==(const Entry&) const = default;
};
struct Category {
    QString titleKey;
    QList<Entry> entries;
    bool operator==(const Category&) const = default;
};

const QList<Category>& categories();
// The first entry standing for the command, in catalog order.
std::optional<Entry> entry(const KeyCommand& command);
// The entries with a command, flattened in catalog order.
const QList<Entry>& commandEntries();
// The translated label followed by " ( ", the key hint and " )"; empty when the
// command has no entry.
QString helpText(const KeyCommand& command);

} // namespace CommandCatalog

} // namespace quillmere
